#pragma once

#include <QPixmap>
#include <QWidget>

namespace ErrorNumber {
// A file that holds no picture that can be read.
constexpr int InvalidPicture = 481;
} // namespace ErrorNumber

// Reads a picture file. A missing file raises AppError 53, a file that holds no readable picture
// AppError 481 "Invalid picture".
QPixmap LoadPicture(const QString& path);

// A picture box: shows its picture scaled to fit, keeping its proportions, or the design-time
// logo drawing while it has none.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Null while the design-time drawing is shown.
    QPixmap picture() const { return picture_; }
    // A null picture brings the design-time drawing back.
    void setPicture(const QPixmap& picture);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};
