#include "shell/ArtPicture.h"

#include <QPainter>

// Resources of a static library must be registered by name, outside any namespace.
void InitShellArt() {
    Q_INIT_RESOURCE(shellart);
}

ArtPicture::ArtPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), renderer(resource) {
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
}

QRectF ArtPicture::pictureRect() const {
    const QSizeF natural = renderer.defaultSize();
    if (natural.isEmpty())
        return {};
    const QSizeF shown = natural.scaled(QSizeF(size()), Qt::KeepAspectRatio);
    return {QPointF((width() - shown.width()) / 2.0, (height() - shown.height()) / 2.0), shown};
}

QSize ArtPicture::sizeHint() const {
    return renderer.defaultSize();
}

void ArtPicture::paintEvent(QPaintEvent*) {
    if (!renderer.isValid())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, pictureRect());
}
