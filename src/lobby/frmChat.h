#pragma once
// A private conversation with one player, or the copy of the public shouts: the messages
// in a large box, what the user types sent as a tell (or a shout).
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QTextEdit;
struct Preferences;

// What a chat window needs of the program.
class ChatWindowHost {
public:
    virtual ~ChatWindowHost() = default;
    virtual Preferences &prefs() = 0;
    virtual bool socketConnected() const = 0;
    // One command to the server; false when it could not go out.
    virtual bool send(const QString &command) = 0;
    virtual void playKibitzSound() = 0;
};

class frmChat : public QWidget {
    Q_OBJECT
public:
    // Hidden until shown; it deletes itself when the user closes it.
    explicit frmChat(ChatWindowHost &host, QWidget *parent = nullptr);
    ~frmChat() override;

    QTextEdit *txtReceive = nullptr;
    QLineEdit *txtChatSend = nullptr;
    QMenu *mnuFont = nullptr;
    QAction *mnuBigger = nullptr, *mnuSmaller = nullptr;
    QString chatWith;  // the partner; empty in the shouts window

    // Appends one message, wrapped to the box, and plays the kibitz sound for it.
    void ShowChat(const QString &text);
    void mnuBigger_Click();
    void mnuSmaller_Click();
    void txtChatSend_KeyPress();  // Enter

    // A window is found by its caption, the first opened first.
    static QString conversationCaption(const QString &partner);
    static const QString shoutsCaption;
    static QList<frmChat *> openWindows();
    static frmChat *find(const QString &caption);
    static void closeAll();

    // The words of `text` wrapped to `width`, each line measured on its own: the word that
    // would cross the margin starts the next line, so no line runs out of the box.
    static QString wrappedLines(const QString &text, int width, const std::function<int(const QString &)> &measure);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void applyFontSize(int size);
    int receiveWidth() const;

    ChatWindowHost &host_;
    bool closed_ = false;
};
