#pragma once
// A tool button that shows a named picture, or its text when the picture
// cannot be found. Pictures are PNG or BMP files named after the picture, in
// the folder $HARVEXA_PICTURES_DIR or in the program's resources under
// ":/pictures".
#include <QToolButton>

namespace hvx {

class PictureButton : public QToolButton {
    Q_OBJECT
public:
    PictureButton(const QString& picture, const QString& fallbackText, QWidget* parent = nullptr);

    bool HasPicture() const { return hasPicture_; }

    // The named picture; a null icon when there is none.
    static QIcon LoadPicture(const QString& name);

private:
    bool hasPicture_ = false;
};

}  // namespace hvx
