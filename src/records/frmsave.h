#pragma once
// The progress window of a long file job: a bar on a track and a line saying what runs.
#include <QFrame>

class QLabel;

class frmsave : public QFrame {
    Q_OBJECT
public:
    // Kept above `owner`, centred on it, with its icon; takes no input.
    explicit frmsave(QWidget *owner);

    // The bar across `percent` of its track, 0 to 100; drawn at once.
    void ShowProgress(int percent);
    void centreOnOwner();

    QLabel *Label1 = nullptr;    // "One moment please..."
    QFrame *Picture1 = nullptr;  // the track
    QFrame *Picture2 = nullptr;  // the bar
    QLabel *Label2 = nullptr;    // the job's own text
};
