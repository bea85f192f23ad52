#include "binding/keyfilter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

bool onlyDigits(const QString& text) {
    for (const QChar c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Control characters (Backspace, Enter, Tab, Delete, shortcuts) are not typed text.
bool typesText(const QString& text) {
    for (const QChar c : text)
        if (c.isPrint())
            return true;
    return false;
}

class DigitFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste))
            return !onlyDigits(QGuiApplication::clipboard()->text());
        return typesText(key->text()) && !onlyDigits(key->text());
    }
};

} // namespace

void installDigitFilter(QLineEdit* box, int maxDigits) {
    static const char* const name = "korvelDigitFilter";
    if (box->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
        return;
    const QString digits = maxDigits < 0 ? "[0-9]*" : QString("[0-9]{0,%1}").arg(maxDigits);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(digits), box));
    // Numbers are typed left to right in a right-to-left screen too.
    box->setLayoutDirection(Qt::LeftToRight);
    auto* filter = new DigitFilter(box);
    filter->setObjectName(name);
    box->installEventFilter(filter);
}
