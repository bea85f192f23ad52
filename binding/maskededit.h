#pragma once

#include <QLineEdit>

// A box with an input mask as the screens' date boxes have it: '#' is a digit position, every
// other character of the mask stands in the box as it is. Unfilled digit positions show the
// prompt character. A mask without digit positions ("  /  /    ") empties the box and shows only
// its shape; an empty mask makes a plain box whose maximum length applies.
class MaskedEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit MaskedEdit(QWidget* parent = nullptr);

    void setMask(const QString& mask);
    QString mask() const { return mask_; }
    // '_' unless set; the date boxes use a space.
    void setPromptChar(QChar prompt);
    QChar promptChar() const { return prompt_; }

    // The text as shown, prompt characters in the unfilled positions.
    QString maskedText() const;
    // What the box holds for its field: empty while no digit position is filled, else the text
    // as shown.
    QString value() const;
    // Puts a text into the box. A text that does not fit the mask (a digit or the prompt in every
    // digit position, the mask's own characters elsewhere) raises error 380 and changes nothing;
    // an empty text empties the box.
    void setText(const QString& text);
    // Shows a field's value as well as the mask lets it; never fails. A date is shown in the
    // display format, whichever way it was stored.
    void showValue(const QString& text);
    // A date format in Qt's notation ("dd/MM/yyyy"); none unless set.
    void setDisplayFormat(const QString& format) { displayFormat_ = format; }

  private:
    void applyMask();
    bool fits(const QString& text) const;
    bool isDigitPosition(int position) const;
    QString inDisplayFormat(const QString& text) const;

    QString mask_;
    QChar prompt_ = '_';
    QString displayFormat_;
};
