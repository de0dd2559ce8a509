// Records of decorations, balloons and clouds, animated effects and weather.
// Plain value types: copying one copies every member.
#pragma once

#include <string>

#include "app/clock.h"

struct cBodyTemplate {
    int id = 0;
    std::string texture;
};

struct cBody {
    int id = 0;
    std::string texture;
    int x = 0;
    int y = 0;
};

struct cOverTemplate {
    int id = 0;
    int type = 0; // SetTypOver; 0 until it is set
    std::string texture;
};

// A decoration drawn over the station; the list is kept sorted by y.
struct cSuperOver {
    int id = 0;
    std::string texture;
    int x = 0;
    int y = 0;
};

struct cBalloon {
    int id = 0;
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    int steps = 0;
    int step = 0;
    float stepX = 0.0f;
    float stepY = 0.0f;
    cTimer timer;
    cTimer timer2;
    std::string texture;
};

struct cCloud {
    int id = 0;
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    int steps = 0;
    int step = 0;
    float stepX = 0.0f;
    float stepY = 0.0f;
    cTimer timer;
    float interval = 0.017f;
    cTimer timer2;
    std::string texture;
    float alpha = 0.0f;
    int alphaA = 0;
    int alphaB = 0;
    int alpha2 = 255;
};

struct cEffectType {
    int id = 0;
    int frames = 0;
    std::string texture;
    std::string extTexture;
    int valueB = 0;
    int valueC = 0;
};

// An effect playing at a place or cell.
struct cEffect {
    int type = 0;
    int frames = 0;
    std::string texture;
    std::string extTexture;
    int randomStart = 0;
    int x = 0;
    int y = 0;
    int startX = 0;
    int startY = 0;
    int frame = 0;
    float speed = 0.0f;
    int valueB = 0;
    int valueC = 0;
    int owner = 0; // the place or id given
    cTimer timer;
    int row = 0;
    int column = 0;
};

struct cRainDrop {
    int index = 0;
    int y = 0;
    int x = 0;
    int drift = 0;
    int fallStep = 9;
    int swayWidth = 0;
    float swayRate = 0.13083334f;
    int screenWidth = 0;
    int screenHeight = 0;
    int drawX = 0;
    int drawY = 0;
};

struct cSnowFlake {
    int index = 0;
    int x = 0;
    int y = 0;
    int startX = 0; // the position a second time
    int startY = 0;
    int wind = 0;
    int sizeClass = 0;
    double speed = 0.0;
    int phase = 0; // 2 from StartSnow, 1 from AddSnow
    double drift = 0.13083333333333333;
    int screenWidth = 0;
    int screenHeight = 0;
};
