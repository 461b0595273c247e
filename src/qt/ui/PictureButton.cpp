#include "qt/ui/PictureButton.h"

#include <QDir>
#include <QPixmap>

namespace hvx {

QIcon PictureButton::LoadPicture(const QString& name) {
    if (name.isEmpty()) return {};
    QStringList folders;
    const QString fromEnvironment = qEnvironmentVariable("HARVEXA_PICTURES_DIR");
    if (!fromEnvironment.isEmpty()) folders << fromEnvironment;
    folders << ":/pictures";
    for (const QString& folder : folders) {
        for (const char* extension : {".png", ".bmp"}) {
            // A file that is there but cannot be read counts as missing.
            const QPixmap pixmap(QDir(folder).filePath(name + extension));
            if (!pixmap.isNull()) return QIcon(pixmap);
        }
    }
    return {};
}

PictureButton::PictureButton(const QString& picture, const QString& fallbackText,
                             QWidget* parent)
    : QToolButton(parent) {
    const QIcon icon = LoadPicture(picture);
    hasPicture_ = !icon.isNull();
    setText(fallbackText);
    if (hasPicture_) {
        setIcon(icon);
        setToolButtonStyle(Qt::ToolButtonIconOnly);
    } else {
        setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
}

}  // namespace hvx
