#pragma once

// The busy cursor over the whole program for the life of the object: a command that waits on the office
// shows it. Nested ones stack.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The ordinary cursor for the life of the object while a busy one is shown: a dialog that waits for the user
// in the middle of a busy command.
class DialogCursor {
public:
    DialogCursor();
    ~DialogCursor();
    DialogCursor(const DialogCursor&) = delete;
    DialogCursor& operator=(const DialogCursor&) = delete;

private:
    bool m_pushed;
};
