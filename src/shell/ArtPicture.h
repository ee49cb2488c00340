#pragma once

#include <QSvgRenderer>
#include <QWidget>

// A picture of the program's artwork (SVG), drawn centred at the largest size that keeps its
// proportions. It is redrawn, sharp, whenever the window changes size.
class ArtPicture : public QWidget {
    Q_OBJECT
public:
    explicit ArtPicture(const QString& resource, QWidget* parent = nullptr);

    bool isLoaded() const { return renderer.isValid(); }
    // Where the picture is drawn inside the widget.
    QRectF pictureRect() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer renderer;
};

// Makes the artwork resources of the main window and the about box available.
void InitShellArt();
