#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QFrame;
class QPushButton;

// The graph type chooser: six pictures of the chart kinds, a frame around the current one.
// Clicking a picture sets the graph type at once; the wizard shows it when the chooser
// closes.
class TGRSEL : public QDialog {
    Q_OBJECT
public:
    explicit TGRSEL(QWidget* parent = nullptr);

    // The picture of graph type 1..6 (objectName Picture1 .. Picture6) and its frame.
    QLabel* picture(int graphType) const;
    QFrame* frame(int graphType) const;
    QPushButton* closeButton() const { return CloseButton; }

    void FormShow();
    void PictureClick(int graphType);
    void CloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFrameOfGraphType();

    std::array<QLabel*, 6> pictures{};
    std::array<QFrame*, 6> frames{};
    QPushButton* CloseButton = nullptr;
};
