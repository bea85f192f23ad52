#include "core/maskclicks.h"

#include <QEvent>
#include <QLineEdit>
#include <QVector>

namespace {

// For each shown character of Qt's input mask, whether the user fills it in.
QVector<bool> inputPositions(const QString& mask) {
    const QString layout = mask.left(mask.lastIndexOf(';'));
    QVector<bool> positions;
    bool escaped = false;
    for (const QChar c : layout) {
        if (escaped) {
            positions << false;
            escaped = false;
        } else if (c == '\\') {
            escaped = true;
        } else if (QStringLiteral("<>!").contains(c)) {
            continue; // letter case switches take no place
        } else {
            positions << QStringLiteral("AaNnXx90Dd#HhBb").contains(c);
        }
    }
    return positions;
}

int firstUnfilledPosition(const QLineEdit* box) {
    const QString mask = box->inputMask();
    const int separator = mask.lastIndexOf(';');
    const QChar blank = separator >= 0 && separator + 1 < mask.size() ? mask[separator + 1] : ' ';
    const QVector<bool> positions = inputPositions(mask);
    const QString shown = box->displayText();
    for (int i = 0; i < positions.size() && i < shown.size(); ++i)
        if (positions[i] && shown[i] == blank)
            return i;
    return -1;
}

class MaskClicks : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* box = static_cast<QLineEdit*>(watched);
            const int unfilled = box->inputMask().isEmpty() ? -1 : firstUnfilledPosition(box);
            if (unfilled >= 0 && box->cursorPosition() > unfilled && !box->hasSelectedText())
                box->setCursorPosition(unfilled);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void keepClicksInMask(QLineEdit* box) {
    box->installEventFilter(new MaskClicks(box));
}
