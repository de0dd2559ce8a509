// Records of the station grid: place and fundament templates, the places and
// fundaments made from them, and the small lists around building lots.
// Plain value types: copying one copies every member.
#pragma once

#include <string>

#include "app/clock.h"

// What a place of one type looks like in one direction (AddPlace, AddPlaceLot).
struct cPlaceTemplate {
    int id = 0;
    std::string texture;
    std::wstring lotTexture;
    int direction = 9;
    int autoOffsetX = 0;
    int autoOffsetY = 0;
    std::string spare;
    int flag = 0;
    int alpha = 255;
    int objectOffsetX = 0;
    int objectOffsetY = 0;
    int value = 0;
    int lotValue = 0;
};

// A service place of the station, or a decoration drawn and hit-tested like
// one (types 100 and above).
struct cPlace {
    int type = 0; // also named kind
    std::string texture; // also named name
    int x = 0;
    int y = 0;
    int row = -1;
    int column = -1;
    int colour = 0;
    int state = 0; // 0 normal, 1 placed decoration, 2 broken
    int direction = 0; // the "level" of the screens; 0 = not built, variant = 10 - it
    cTimer serviceTimer;
    cTimer placeTimer;
    int alphaStep = 1; // added to alpha every 0.017 s until it is 255 (the station view's fade-in)
    int autoOffsetX = 0;
    int autoOffsetY = 0;
    int autoType = -1;
    int lampFrameCounter = 0; // the "two counters" the car layer animates the lamp with
    int frameCount = 0;
    int frame = 0;
    int counter = 0;
    unsigned char active = 1;
    int objectOffsetX = 0;
    int objectOffsetY = 0;
    int imageWidth = 0; // the "two further values": the station view's image size
    int imageHeight = 0;
    int alpha = 255;
    int colorChangeLimit = 5;
    int wear = 0; // 0..100, raised by combos
    int serveCount = 0;
    int serveFlag = 0;
    cTimer animTimer;
    std::wstring animationName; // "phase100" after a combo
    std::wstring animationImage;
    std::wstring lampName; // "lampe_green" at creation for types below 100
    cTimer effectTimer;
    int value = 0;
    int extra = 0;
};

// The platform images of one fundament template (AddFundament).
struct cFundamentTemplate {
    int id = 0;
    std::wstring texture;
    std::wstring texture2;
    int direction = 0;
};

// The ground record of one grid cell, which also serves as a building lot.
struct cFundament {
    int textureId = 0;
    std::wstring texture; // also named platformImage; "xxxxxxx" when the template is missing
    std::wstring texture2;
    std::wstring placeTexture; // also named buildingImage
    int gridRow = 0;
    int gridColumn = 0;
    int direction = 0;
    int status = 0; // also named state; lot build state 0, 9 or 11
    int content = -1; // also named kind; -1 free for building
    int row = 0;
    int column = 0;
    int linkColumn = 0; // second copy of the column, matched by the lot links
    int colour = 0;
    int autoType = -1; // car standing on the cell, -1 none
    unsigned char hidden = 0; // first flag byte: hidden/blocked; a blocked cell gets no car
    unsigned char carArriving = 0; // second flag byte: a car drives onto the fundament
    unsigned char bounce = 0;
    int bounceStep = 0;
    int occupiedCounter = 0;
    int lotValue = 0; // also named price
    int objectOffsetX = 0; // also named imageOffsetX
    int objectOffsetY = 0; // also named imageOffsetY
    int paramA = 0;
    int paramB = 0;
    int paramC = 0;
    int alpha = 0; // alpha of the cell and of the car standing on it
    cTimer timer;
};

// A lot queued for building by the script (SetLotForBuild).
struct cBuildLot {
    int row = 0;
    int column = 0;
    unsigned char pending = 1;
};

// A lot link {a, b, c, d}: the element at cell (a, b) may be bought only when
// no fundament in row c with link key d still has build status 0.
struct cLink {
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
};

// A script icon (AddIcon); written and cleared, never read back.
struct cIcon {
    int id = 0;
    std::wstring texture;
    cTimer timer;
};
