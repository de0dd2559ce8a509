// Records of the texts the world keeps: status messages and the rows of the
// language tables.
#pragma once

#include <string>

#include "app/clock.h"

// A queued status message of the message panel.
struct cStatusMessage {
    std::wstring text;
    std::wstring text2;
    std::wstring text3;
    double duration = 0.0; // seconds; 0 or less means no limit
    double value2 = 0.0;
    cTimer timer;
};

// A row of places.csv in the current language.
struct cPlaceNameRow {
    int id = 0;
    int key2 = 0;
    std::wstring text;
};

// A row of comic.csv (one page of a level's comic).
struct cComicRow {
    int comic = 0;
    int page = 0; // the second value
    std::wstring text;
    std::wstring extraText; // the image name
};

// A row of tasks.csv: six number columns and the text.
struct cTaskRow {
    int level = 0; // column 0, the task id
    int pinX = 0;
    int pinY = 0;
    int lotRow = 0;
    int lotCol = 0;
    int requiredKind = 0; // column 5; non-zero selects the row for SelectLevelTask
    std::wstring text;
};
