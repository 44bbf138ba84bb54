#pragma once
// The post-it notes on the main window's working area: yellow notes postit_0..postit_9, each
// with its text xpostit_k, that follow the mouse while dragged and store where they were
// dropped; a double click opens zelpostit on the note.
#include "launcher/postit_notes.h"

#include <QObject>

#include <array>
#include <functional>

class QWidget;

namespace kalvora::ui {

class PostitNoteWidget;

class PostitLayer : public QObject {
    Q_OBJECT
public:
    static constexpr int twipsPerPixel = 15;

    // The notes are children of `host`; their positions count from its top left corner.
    PostitLayer(launcher::PostitNotes& notes, QWidget* host);

    // Shows, places and hides the notes as the model holds them.
    void refresh();

    // Called after a note was moved or edited, so the window can show the change.
    std::function<void()> acted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class PostitNoteWidget;
    void dropped(int slot, QPoint topLeft);
    void doubleClicked(int slot);
    void done();

    launcher::PostitNotes& notes_;
    QWidget* host_;
    std::array<PostitNoteWidget*, launcher::postitSlots> widgets_{};
};

}  // namespace kalvora::ui
