#include "shell/TLink.h"

#include "shell/Help.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

TLink::TLink(QWidget* parent) : QLabel(parent) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setTextColor(Qt::blue);
    // Reachable from the keyboard too: Tab to it, Enter or Space opens it.
    setFocusPolicy(Qt::TabFocus);
}

TLink::TLink(const QString& caption, QWidget* parent) : TLink(parent) {
    setText(caption);
}

QColor TLink::textColor() const {
    return palette().color(QPalette::WindowText);
}

void TLink::setTextColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, color);
    colours.setColor(QPalette::Text, color);
    setPalette(colours);
}

void TLink::Click() {
    if (URL.isEmpty()) {
        emit clicked();
        return;
    }
    // The shell reports nothing when the target cannot be opened.
    OpenLinkTarget(URL);
}

void TLink::enterEvent(QEnterEvent* event) {
    if (!hovering) {
        savedColor = textColor();
        savedCursor = cursor();
        hovering = true;
    }
    setTextColor(HoverColor);
    setCursor(Qt::PointingHandCursor);
    QLabel::enterEvent(event);
}

void TLink::leaveEvent(QEvent* event) {
    if (hovering) {
        setTextColor(savedColor);
        setCursor(savedCursor);
        hovering = false;
    }
    QLabel::leaveEvent(event);
}

void TLink::mousePressEvent(QMouseEvent* event) {
    pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TLink::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Click();
}

void TLink::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Click();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void TPanelLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
