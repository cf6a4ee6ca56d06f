#pragma once

// Shared by the dialog tests: a private settings folder, finding controls by their
// names, and acting on the modal windows a click opens.

#include "JapaneseQtTexts.h"
#include "SettingsStore.h"
#include "frmOption.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Runs a Qt Test class with XDG_CONFIG_HOME pointing into a temporary folder, so the
// settings file the dialogs read and write is the test's own, and Qt's texts in
// Japanese as the program has them.
#define DIALOG_TEST_MAIN(TestClass)                                          \
    int main(int argc, char** argv)                                          \
    {                                                                        \
        QTemporaryDir config;                                                \
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());             \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                         \
        QApplication app(argc, argv);                                        \
        InstallJapaneseQtTexts();                                            \
        TestClass test;                                                      \
        return QTest::qExec(&test, argc, argv);                              \
    }

template <class T>
T* Control(const QWidget* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

inline QAbstractButton* Button(const QWidget* root, const QString& name)
{
    return Control<QAbstractButton>(root, name);
}

inline QLineEdit* Box(const QWidget* root, const QString& name)
{
    return Control<QLineEdit>(root, name);
}

// Replaces a text box's content by typing, as a user does: select all, then keys.
inline void TypeInto(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

// Watches for the next modal window to open (from inside the event loop of the
// click that opens it) and hands it to `act`, which must close it. The tests show
// their own dialogs without a modal loop, so any modal window is a new one.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> act) : act_(std::move(act))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal) {
                timer_.stop();
                ++seen_;
                act_(modal);
            }
        });
        timer_.start();
    }

    int Seen() const { return seen_; }

private:
    std::function<void(QWidget*)> act_;
    QTimer timer_;
    int seen_ = 0;
};

// What a message box showed.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// For a ModalWatcher: records a message box and presses its OK button.
inline std::function<void(QWidget*)> RecordMessage(SeenMessage& seen)
{
    return [&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        seen = {box->windowTitle(), box->text(), box->icon()};
        box->button(QMessageBox::Ok)->click();
    };
}

// An options dialog opened, shown and active over a store holding `stored`.
struct OpenOptions {
    explicit OpenOptions(const SaverSettings& stored)
    {
        if (!SaveSettings(stored))
            qFatal("could not write the test's settings file");
        dialog = std::make_unique<frmOption>(settings);
        dialog->show();
        dialog->activateWindow();
        // The limit only catches a hang: activation comes with the next events.
        if (!QTest::qWaitForWindowActive(dialog.get(), 30000))
            qFatal("the options dialog did not become the active window");
    }

    SaverSettings settings;
    std::unique_ptr<frmOption> dialog;
};

inline SaverSettings Stored()
{
    SaverSettings stored;
    LoadSettings(stored);
    return stored;
}
