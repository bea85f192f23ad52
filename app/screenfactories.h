#pragma once

// Tells the screen registry how each screen of the program is made.
void registerScreens();
