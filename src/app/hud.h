// The head-up display of every match: both fighters' health and punch power, and the score.
#pragma once

#include <cstdint>

class TFigure;

// Health (green) and each hand's power (yellow) growing from either top corner, the score between them.
void DrawHud(const TFigure& left, const TFigure& right, int32_t wonLeft, int32_t wonRight);
