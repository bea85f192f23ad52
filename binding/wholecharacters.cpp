#include "binding/wholecharacters.h"

#include <QLineEdit>
#include <QValidator>

namespace {

QString withoutBrokenHalves(const QString& text) {
    QString whole;
    whole.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            whole += c;
            whole += text[++i];
        } else if (!c.isSurrogate()) {
            whole += c;
        }
    }
    return whole;
}

class WholeCharacters : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override {
        const QString whole = withoutBrokenHalves(input);
        if (whole.size() != input.size()) {
            position = std::min<int>(position, whole.size());
            input = whole;
        }
        return Acceptable;
    }
};

} // namespace

QString cutToLength(const QString& text, int length) {
    if (text.size() <= length)
        return text;
    const bool splitsAPair = length > 0 && text[length - 1].isHighSurrogate();
    return text.left(splitsAPair ? length - 1 : length);
}

void keepWholeCharacters(QLineEdit* box) {
    box->setValidator(new WholeCharacters(box));
}
