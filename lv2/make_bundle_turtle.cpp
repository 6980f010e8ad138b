// Writes the bundle's Turtle from the port, parameter and preset tables:
//   make_bundle_turtle BUNDLE_FOLDER
// gives BUNDLE_FOLDER/manifest.ttl, spatialiser.ttl and presets.ttl.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "editor/EditorLayout.h"
#include "lv2/PortTable.h"
#include "lv2/Presets.h"

namespace {

const char* const kPrefixes =
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n\n";

struct AudioPortText {
    const char* kind;
    const char* symbol;
    const char* name;
};

constexpr AudioPortText kAudioPorts[kFirstControlPort] = {
    {"lv2:InputPort", "in_left", "Left in"},
    {"lv2:InputPort", "in_right", "Right in"},
    {"lv2:OutputPort", "out_left", "Left out"},
    {"lv2:OutputPort", "out_right", "Right out"},
};

// The engine's three waveforms, at the values that select them (floor(value * 2 + 0.5)).
struct ScalePoint {
    float value;
    std::string label;
};
const ScalePoint kWaveforms[] = {{0.0f, "Sine"}, {0.5f, "Inverted ramp"}, {1.0f, "Ramp"}};

// Enough digits that a host reads back the very float.
std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    std::string result = text;
    if (result.find_first_of(".e") == std::string::npos) result += ".0";
    return result;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string capitalised(std::string text) {
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

// The menu's entries at the values it writes: entry i of n at i / (n - 1).
std::vector<ScalePoint> reflectionPatterns() {
    const MenuList& menu = kMenuLists[0];
    std::vector<ScalePoint> points;
    for (int32_t i = 0; i < menu.entryCount; ++i)
        points.push_back({static_cast<float>(i) / static_cast<float>(menu.positions - 1), capitalised(menu.entries[i].name)});
    return points;
}

void writeScalePoints(std::ostream& out, const std::vector<ScalePoint>& points) {
    for (size_t i = 0; i < points.size(); ++i) {
        out << (i == 0 ? "        lv2:scalePoint [\n" : "        ] , [\n");
        out << "            rdfs:label " << quoted(points[i].label) << " ;\n";
        out << "            rdf:value " << number(points[i].value) << "\n";
    }
    out << "        ] ;\n";
}

void writeControlPort(std::ostream& out, uint32_t control) {
    const ControlPort& port = kControlPorts[control];
    out << "        a lv2:InputPort , lv2:ControlPort ;\n";
    out << "        lv2:index " << kFirstControlPort + control << " ;\n";
    out << "        lv2:symbol " << quoted(port.symbol) << " ;\n";
    out << "        lv2:name " << quoted(port.name) << " ;\n";
    out << "        lv2:default " << number(kParameterTable[port.parameter].defaultValue) << " ;\n";
    out << "        lv2:minimum 0.0 ;\n";
    out << "        lv2:maximum 1.0 ;\n";
    if (port.parameter == kQuality) out << "        lv2:portProperty lv2:toggled ;\n";
    if (port.parameter == kAzimuthWaveform) {
        out << "        lv2:portProperty lv2:enumeration ;\n";
        writeScalePoints(out, {std::begin(kWaveforms), std::end(kWaveforms)});
    }
    if (port.parameter == kReflectionPattern) writeScalePoints(out, reflectionPatterns());
}

void writePlugin(std::ostream& out) {
    out << kPrefixes;
    out << "<" << kPluginUri << ">\n";
    out << "    a lv2:Plugin , lv2:SpatialPlugin ;\n";
    out << "    doap:name \"Spatialiser\" ;\n";
    out << "    rdfs:comment \"Places a stereo source around the listener: azimuth, elevation and distance, "
           "two slow modulators, a stereo-field and a quality switch, and four reflection patterns.\" ;\n";
    out << "    lv2:optionalFeature lv2:hardRTCapable ;\n";
    out << "    ui:ui <" << kUiUri << "> ;\n";
    for (uint32_t index = 0; index < kPortCount; ++index) {
        out << (index == 0 ? "    lv2:port [\n" : "    ] , [\n");
        if (index < kFirstControlPort) {
            const AudioPortText& port = kAudioPorts[index];
            out << "        a " << port.kind << " , lv2:AudioPort ;\n";
            out << "        lv2:index " << index << " ;\n";
            out << "        lv2:symbol " << quoted(port.symbol) << " ;\n";
            out << "        lv2:name " << quoted(port.name) << " ;\n";
        } else {
            writeControlPort(out, index - kFirstControlPort);
        }
    }
    out << "    ] .\n";
}

void writeManifest(std::ostream& out) {
    out << kPrefixes;
    out << "<" << kPluginUri << ">\n    a lv2:Plugin ;\n    lv2:binary <spatialiser_dsp.so> ;\n"
        << "    rdfs:seeAlso <spatialiser.ttl> .\n\n";
    out << "<" << kUiUri << ">\n    a ui:X11UI ;\n    ui:binary <spatialiser_ui.so> ;\n"
        << "    rdfs:seeAlso <spatialiser_ui.ttl> .\n";
    for (const Lv2Preset& preset : kPresets) {
        out << "\n<" << preset.uri << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << kPluginUri << "> ;\n"
            << "    rdfs:seeAlso <presets.ttl> .\n";
    }
}

void writePresets(std::ostream& out) {
    out << kPrefixes;
    for (const Lv2Preset& preset : kPresets) {
        out << "<" << preset.uri << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << kPluginUri << "> ;\n";
        out << "    rdfs:label " << quoted(preset.name) << " ;\n";
        for (uint32_t control = 0; control < kControlPortCount; ++control) {
            out << (control == 0 ? "    lv2:port [\n" : "    ] , [\n");
            out << "        lv2:symbol " << quoted(kControlPorts[control].symbol) << " ;\n";
            out << "        pset:value " << number(preset.values[control]) << "\n";
        }
        out << "    ] .\n\n";
    }
}

bool writeFile(const std::string& path, void (*write)(std::ostream&)) {
    std::ofstream out(path);
    write(out);
    out.close();
    if (!out) std::cerr << "make_bundle_turtle: cannot write " << path << "\n";
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_bundle_turtle BUNDLE_FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    const bool written = writeFile(folder + "/manifest.ttl", writeManifest) &&
                         writeFile(folder + "/spatialiser.ttl", writePlugin) &&
                         writeFile(folder + "/presets.ttl", writePresets);
    return written ? 0 : 1;
}
