// Records of the cars: car types, roads, moving cars, stack slots, cars being
// served, transfers, flying values, jokers and the small enable lists.
// Plain value types: copying one copies every member.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/clock.h"

// A car type with its four sprite variants (AddAuto, SetAutoParameters).
struct cAutoType {
    int id = 0;
    std::vector<std::string> variantNames = std::vector<std::string>(4);
    int colour = 0; // colour group
    int value = 0; // second parameter of SetAutoParameters
    int class_ = -1; // the car class; "class" is a keyword
    int classValue = 0;
    std::vector<int> variants = { 1, 3, 7, 9 };
};

// A straight road or a segmented city street.
struct cAutobahnRoad {
    static constexpr int kSegments = 10;
    int id = 0;
    int kind = 0;
    double speed = 0.0;
    int state = 2;
    int startX = 0;
    int startY = 0;
    int endX = 0;
    int endY = 0;
    int segStartX[kSegments] = {};
    int segStartY[kSegments] = {};
    int segEndX[kSegments] = {};
    int segEndY[kSegments] = {};
    int segValue[kSegments] = {};
    int segCount = 0; // the last segment index set
    int speedMode = 0;
};

// A car moving on a road or driving into a stack slot.
struct cAutobahnAuto {
    int state = 0; // 0 on the road, 5 driving into the stack
    int kind = 0; // the road's kind, or the stack slot's direction
    int autoType = 0;
    int variant = 0;
    float x = 0.0f;
    float y = 0.0f;
    double pause = 0.0; // seconds the car waits before it moves on
    unsigned char waiting = 1;
    int road = 0;
    int segment = 0;
    int target = -1; // -1 on the road, else the stack slot id
    double progress = 0.0; // start offset along the path
    cTimer stepTimer;
    cTimer pauseTimer;
    std::vector<int> pathX; // way points; point 0 the start, point 1 the end
    std::vector<int> pathY;
    unsigned char restarted = 0;
    int sortKey = 0;
    cTimer startTimer;
    int counter = 0; // steps taken, or the alpha counter of a stack arrival
};

// A waiting slot of the stack.
struct cStackSlot {
    int id = 0;
    int autoType = -1; // -1 empty
    int variant = 0;
    int x = 0;
    int y = 0;
    int toX = 0;
    int toY = 0;
    int fromX = 0;
    int fromY = 0;
    int direction = 0; // also the variant its car is drawn with: 1, 3, 7 or 9
    int settleStep = 0;
    int frameCounter = 0;
    cTimer timer;
    std::string animationName;
    std::string imageName;
    cTimer settleTimer;
    cTimer frameTimer;
    cTimer timerA;
    unsigned char settling = 0; // the car that has driven in bounces in its slot
    cTimer timerB;
    unsigned char flagB = 0;
    cTimer timerC;
    int state = 1;
    unsigned char busy = 0; // a car is driving in
};

// A car being served at a place.
struct cPlaceAuto {
    int autoType = -1;
    int place = 0; // place index
    int x = 0;
    int y = 0;
    int variant = 0; // the sprite variant: 10 minus the place's direction
    int active = 1;
    int itemCode = 0; // what it is served with: its colour group or a work code
    cTimer serviceTimer;
    cTimer animTimer;
    cTimer settleTimer;
    cTimer lampTimer;
    int frames = 10;
    int frame = 0;
    int settling = 1;
    int settleStep = 0;
    std::string animationName;
    std::string lampName;
    unsigned char finished = 0; // the service time has passed
    unsigned char handPlaced = 0; // 1 dropped by the player, 0 a managers' transfer
    unsigned char inService = 0;
    unsigned char arriving = 0;
    int patience = 10; // the served car's own patience, read by GetPatience
    int alpha = 255;
    int row = 0;
    int column = 0;
};

// A bonus item or joker with its flight to its slot.
struct cJoker {
    int state = 0;
    int item = 0; // also named kind: 90 joker, 91 bomb joker, else a car type
    int step = 0;
    int alphaStart = 255;
    float stepX = 0.0f;
    float stepY = 0.0f;
    float alphaStep = 0.0f;
    int alpha = 255;
    double speed = 0.0; // also named stepInterval: seconds between steps
    cTimer timer; // also named stepTimer
    int x = 0; // also named startX
    int y = 0; // also named startY
    int targetX = 0;
    int targetY = 0;
    int steps = 0;
    unsigned char arrived = 0;
    unsigned char used = 0;
};

// A car sliding between two screen points.
struct cTransfer {
    int variant = 0; // the sprite variant
    int autoType = 0;
    int item = 0;
    int step = 0;
    float stepX = 0.0f;
    float stepY = 0.0f;
    double interval = 0.01;
    cTimer timer;
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    int steps = 10; // 10, 20 or 30
    int source = -1; // served-car place index, fundament index or -1
};

// A value flying across the screen (points display).
struct cFlyingMarker {
    int x = 0;
    int y = 0;
    double stepY = 0.0;
    double stepX = 0.0;
    int value = 0;
    int counter = 0;
    cTimer timer;
    cTimer lifeTimer;
    int steps = 0; // steps, or the size of the value
    int alpha = 255;
    int step = 0;
    uint8_t penalty = 0; // shown with a minus, credits nothing
};

// A car leaving its place after service, fading out.
struct cLeavingAuto {
    int autoType = 0;
    int x = 0;
    int y = 0;
    int direction = 0;
    std::wstring sprite; // the type's sprite for that direction + ".png"
    int alpha = 255;
    unsigned char alive = 1;
    cTimer timer;
};

// An entry of the special-car strip: one per special car put on a road, read
// by the script's questions about special cars. The strip itself (each entry's
// car sliding in from the right edge) is drawn by nothing: no screen would
// call it, so it is not built, and x and timer stay as made. The entries are
// cleared at each level start.
struct cSpecAutoEntry {
    int autoType = 0;
    int second = 0;
    int flag = 0; // 1 the player has the car, 0 still to be made
    int x = 1280; // slides in to 1120
    cTimer timer;
};

// {road, class} of the road classes enabled by the script, with a third value.
struct cAutobahnClassEntry {
    int road = 0;
    int class_ = 0;
    int flag = 0;
};

// {road, car type, flag} of the road cars enabled by the script.
struct cAutobahnAutoEntry {
    int road = 0;
    int autoType = 0;
    int flag = 0;
};

// A car enabled by the script's enable methods.
struct cEnabledAuto {
    int autoType = 0;
    int class_ = 0;
};
