// The world's look of a level: weather, light, effects and decorations.
// Part of cGameWorld.
#pragma once

#include <cstdint>
#include <vector>

#include "app/clock.h"
#include "world/records_effects.h"

struct cWorldEffectsFields {
    uint8_t raining = 0;
    uint8_t snowing = 0;
    cTimer rainTimer;
    cTimer snowTimer;
    int fogOn = 0;
    int fogAlpha = 0;
    int cloudsOn = 0;
    uint8_t cloudsStop = 0;
    double animationSpeed = 0.0;
    double snowSpeed = 0.0;
    double rainSpeed = 0.0;
    float iconSpeed = 0.0f; // Story::SetSpeedIcon
    int darkening = 0; // also named darkenActive
    int brightening = 0; // also named brightenRequest
    int levelTint[3] = {}; // red, green, blue; also named levelTintR, levelTintG, levelTintB
    int lightStep = 0;
    uint8_t lightBlending = 0;
    int tintStep = 0; // also named darkenStep
    int darkTintTarget = 0; // also named darkenLimit
    cTimer tintTimer;

    std::vector<cBodyTemplate> bodyTemplates;
    std::vector<cBody> bodies;
    std::vector<cOverTemplate> overTemplates;
    std::vector<cSuperOver> superOvers; // kept sorted by y
    std::vector<cBalloon> balloons;
    std::vector<cCloud> clouds;
    std::vector<cEffectType> effectTypes;
    std::vector<cEffect> effects;
    std::vector<cRainDrop> rainDrops;
    std::vector<cSnowFlake> snowFlakes;
};
