// Colour helpers.
#pragma once

// The index 1 to 254 whose colour is nearest by city-block distance; ties to the lowest.
int nearestColorIndex(int r, int g, int b);
