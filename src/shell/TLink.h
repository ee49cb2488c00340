#pragma once

#include <QColor>
#include <QCursor>
#include <QLabel>

// A label that works as a hyperlink: underlined, blue, its own colour and a hand cursor
// while the mouse is over it. A click opens URL (a document, a web address, or "calc.exe"
// for the desktop's calculator); with an empty URL it is an ordinary label click.
class TLink : public QLabel {
    Q_OBJECT
public:
    explicit TLink(QWidget* parent = nullptr);
    TLink(const QString& caption, QWidget* parent = nullptr);

    // What a click opens; empty means the click goes to the clicked() handlers.
    QString URL;
    // Text colour while the mouse is over the link.
    QColor HoverColor = Qt::red;

    QColor textColor() const;
    void setTextColor(const QColor& color);

    // What a mouse click does.
    void Click();

signals:
    // The ordinary click, for links without a URL.
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor savedColor;
    QCursor savedCursor;
    bool hovering = false;
    bool pressed = false;
};

// A status-line field that reacts to a click (the update notice).
class TPanelLabel : public QLabel {
    Q_OBJECT
public:
    explicit TPanelLabel(QWidget* parent = nullptr) : QLabel(parent) {}

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
