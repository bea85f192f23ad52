#pragma once

struct AppSettingsRecord;
class PictureBox;

// Lets the user pick a logo picture, shows it and, once confirmed, stores its path. Declined, the
// stored logo (or else the picture shown before) comes back.
void changeLogo(AppSettingsRecord& settings, PictureBox& picture);
