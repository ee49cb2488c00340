#pragma once

#include <QDialog>

class ArtPicture;
class QLabel;
class QToolButton;
class TLink;

// The about box: artwork, the maker's notice and web address, the program's version.
// Creating it installs the program-wide handler for errors nothing else caught.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // The program-wide error handler: tells the user and ends the program at once.
    static void AppException(const QString& message);
    // The text it shows for an error message.
    static QString ExceptionText(const QString& message);

    ArtPicture* ProgramIcon;
    QLabel* Copyright;
    TLink* URL;
    QLabel* Version;
    QToolButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
};

// The about box of the running program (created second, right after the main window).
inline TAboutBox* AboutBox = nullptr;
