// Keys and the world's text entry, shared by the level and the main menu: the
// key source the states read, taking a key once, and appending typed
// characters within the entry's limit.
#pragma once

#include <cstddef>

class cApplication;
class cGameWorld;

// Where the key passes read keys: the application's key table and the
// platform's keyboard in the game, a table of their own in tests.
class iKeySource {
public:
    virtual ~iKeySource() = default;
    virtual bool IsKeyDown(int code) = 0;
    virtual void ClearKey(int code) = 0;
    // The key is held right now (any of the high four bits of its state).
    virtual bool IsHeld(int code) = 0;
    virtual bool IsRussianLayout() = 0;
    // The next key pressed since the last look, oldest first: its code (0
    // for text that came without a key), whether Shift and AltGr were held as
    // it went down and the character the system typed with it (0 for none);
    // false when none.
    virtual bool TakePressed(int* /*code*/, bool* /*shifted*/, bool* /*altGr*/, wchar_t* /*text*/) { return false; }
};

// The application's key table and the platform's keyboard.
class ApplicationKeys : public iKeySource {
public:
    explicit ApplicationKeys(cApplication* app)
        : app(app)
    {
    }
    bool IsKeyDown(int code) override;
    void ClearKey(int code) override;
    bool IsHeld(int code) override;
    bool IsRussianLayout() override;
    bool TakePressed(int* code, bool* shifted, bool* altGr, wchar_t* text) override;

private:
    cApplication* app;
};

// Consumes the key when it is down; a held key thus acts once.
bool TakeKey(iKeySource& keys, int code);

// On a Russian layout: takes the first key of the layout's letters that is
// down and returns the small Cyrillic letter it types; 0 when none is down.
wchar_t TakeRussianLetter(iKeySource& keys);

// The entry's length; an entry that fills its whole buffer without a zero
// counts as full.
std::size_t TextEntryLength(const cGameWorld& world);
// Appends when the text is shorter than its limit; the limit never passes the
// buffer's room beside the terminating zero.
void AppendToTextEntry(cGameWorld& world, wchar_t c);

// A letter of any script (by the C library's UTF-8 classes).
bool IsLetter(wchar_t c);
// Letters the key table types itself, from the key codes: the Latin letters
// and, on a Russian layout, the Cyrillic letters. (Its digits and signs are
// no letters, so the system's text never stands in for them.)
bool TypedByKeyTable(wchar_t c, bool russianLayout);
