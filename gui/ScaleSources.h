// Where the editor's screen scale comes from, first that applies: the person's choice (the
// SPATIALISER_EDITOR_SCALE variable for one run, else the choice kept in the settings file), the
// host's content scale, the system's scale for the screen, else 100 %. 0 stands for "none".
#pragma once

#include <string>

struct ScaleSources {
    float user = 0.0f;
    float host = 0.0f;
    float system = 0.0f;
};

float chooseScale(const ScaleSources& sources);

// A factor from text ("1.5", "2"); 0 when it is not a number from 1 to 3.
float parseScale(const char* text);

// SPATIALISER_EDITOR_SCALE, or 0.
float environmentScale();

// The choice kept in `file` (lines "name = value"; the scale is "scale"), or 0 for automatic,
// a missing or unreadable file and a value that is not a scale.
float readStoredScale(const std::string& file);
// Keeps `scale` (0: automatic) in `file`, making its folder; false when it cannot be written.
bool storeScale(const std::string& file, float scale);
// The settings file of this user: editor.conf in the platform's settings folder; empty when the
// system gives no such folder.
std::string scaleSettingsFile();
