#pragma once
// The one road to message and input boxes, so that tests can answer them.
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

class Dialogs {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Request {
        QString text;
        QString title;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        bool isInput = false;
        QString defaultText;  // input boxes only; for a file to open or save, the folder and name offered
        bool isOpenFile = false;
        bool isSaveFile = false;
        QString filter;       // files to open or save only, "Log Files (*.log)"
    };
    struct Reply {
        Answer answer = Answer::Ok;
        QString text;  // input boxes and files to open or save only
    };
    using Handler = std::function<Reply(const Request &)>;

    static Answer message(const QString &text, const QString &title = QStringLiteral("Korvex"),
                          Buttons buttons = Buttons::Ok, Icon icon = Icon::None);
    static bool ask(const QString &text, const QString &title = QStringLiteral("Korvex"));
    // Returns the typed text, or an empty text when the user cancels.
    static QString input(const QString &prompt, const QString &title, const QString &defaultText = {});
    // The open dialog: returns the chosen file's path, or an empty text when the user cancels.
    static QString openFile(const QString &title, const QString &folder, const QString &defaultName,
                            const QString &filter);

    // The save dialog, which asks before a file is replaced: the chosen path, with the
    // filter's extension when the name has none, or an empty text when the user cancels.
    static QString saveFile(const QString &title, const QString &folder, const QString &defaultName,
                            const QString &filter);

    // The font and colour choosers; nothing when the user cancels.
    static std::optional<QFont> chooseFont(const QFont &start);
    static std::optional<QColor> chooseColor(const QColor &start);

    // Tests install a handler that answers instead of the real boxes; an empty one restores them.
    static void setHandler(Handler handler);
    using FontHandler = std::function<std::optional<QFont>(const QFont &)>;
    using ColorHandler = std::function<std::optional<QColor>(const QColor &)>;
    static void setChooserHandlers(FontHandler font, ColorHandler color);
    static void setParent(QWidget *parent);

    // While one is held, the boxes belong to `owner` and show above it, however high it
    // stands among the windows; afterwards they belong to the main window again.
    class Owner {
    public:
        explicit Owner(QWidget *owner);
        ~Owner();
        Owner(const Owner &) = delete;
        Owner &operator=(const Owner &) = delete;

    private:
        QPointer<QWidget> previous_;
    };

private:
    static Reply show(const Request &request);
    static QString askForFile(bool save, const QString &title, const QString &folder, const QString &defaultName,
                              const QString &filter);
};
