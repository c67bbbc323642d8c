#include "formats/lv2/bundle_turtle.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "engine/effect.h"
#include "formats/lv2/lv2_identity.h"
#include "formats/lv2/meter_ports.h"
#include "formats/lv2/turtle_text.h"
#include "params/parameter_unit.h"
#include "params/shown_value.h"

namespace velmorin::lv2 {
namespace {

constexpr const char* kPrefixes =
    "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix rsz: <http://lv2plug.in/ns/ext/resize-port#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n"
    "@prefix velmorin: <" VELMORIN_LV2_URI "#> .\n\n";

// The editor's menu words for the normalize targets 0 to 3.
constexpr const char* kNormalizeTargetLabels[kNumNormalizeTargets] = {"0 dBFS", "-0.01 dBFS",
                                                                      "-0.09 dBFS", "-0.05 dBFS"};

// Room for the display feed's object, with a margin.
constexpr int32_t kDisplayFeedBufferSize = 1024;

std::string uri(std::string_view text) {
    return "<" + std::string(text) + ">";
}

std::string presetUri(int32_t program) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", static_cast<int>(program));
    return uri(std::string(kPluginUri) + "/preset/" + text);
}

std::string unitOf(ParameterKind kind) {
    if (std::string_view(parameterUnit(kind).symbol) == "dB") return "units:db";
    if (kind == ParameterKind::Ratio) return "velmorin:ratio";
    return "";
}

std::string portProperties(int32_t index) {
    const ParameterKind kind = parameterKind(index);
    switch (parameterUnit(kind).stepping) {
        case Stepping::Toggle:
            return "lv2:toggled";
        case Stepping::IntegerSteps:
            return kind == ParameterKind::Zoom ? "lv2:integer" : "";
        case Stepping::Continuous:
            // Kept and saved, never shown by the editor.
            return "pprops:notOnGUI";
    }
    return "";
}

std::string parameterPort(int32_t index) {
    const ParameterInfo& info = parameterInfo(index);
    const ShownRange range = shownRange(index);
    std::string port = "[\n    a lv2:InputPort , lv2:ControlPort ;\n";
    port += "    lv2:index " + std::to_string(index) + " ;\n";
    port += "    lv2:symbol " + quoted(info.symbol) + " ;\n";
    port += "    lv2:name " + quoted(info.words) + " ;\n";
    port += "    lv2:default " + decimal(range.defaultValue) + " ;\n";
    port += "    lv2:minimum " + decimal(range.minimum) + " ;\n";
    port += "    lv2:maximum " + decimal(range.maximum);
    if (range.steps > 0) port += " ;\n    pprops:rangeSteps " + std::to_string(range.steps);
    if (const std::string unit = unitOf(info.kind); !unit.empty()) {
        port += " ;\n    units:unit " + unit;
    }
    if (const std::string properties = portProperties(index); !properties.empty()) {
        port += " ;\n    lv2:portProperty " + properties;
    }
    return port + "\n]";
}

std::string settingPorts() {
    std::string ports = "[\n    a lv2:InputPort , lv2:ControlPort ;\n";
    ports += "    lv2:index " + std::to_string(kNormalizeTargetPort) + " ;\n";
    ports += "    lv2:symbol \"normalize_target\" ;\n    lv2:name \"Normalize target\" ;\n";
    ports += "    lv2:default 0 ;\n    lv2:minimum 0 ;\n    lv2:maximum " +
             std::to_string(kNumNormalizeTargets - 1) + " ;\n";
    ports += "    lv2:portProperty lv2:integer , lv2:enumeration ;\n    lv2:scalePoint ";
    for (int32_t target = 0; target < kNumNormalizeTargets; ++target) {
        if (target > 0) ports += " , ";
        ports += "[ rdfs:label " + quoted(kNormalizeTargetLabels[target]) + " ; rdf:value " +
                 std::to_string(target) + " ]";
    }
    ports += "\n] , [\n    a lv2:InputPort , lv2:ControlPort ;\n";
    ports += "    lv2:index " + std::to_string(kDcRemovalPort) + " ;\n";
    ports += "    lv2:symbol \"dc_removal\" ;\n    lv2:name \"DC removal\" ;\n";
    ports += "    lv2:default 1 ;\n    lv2:minimum 0 ;\n    lv2:maximum 1 ;\n";
    return ports + "    lv2:portProperty lv2:toggled\n]";
}

std::string audioPort(uint32_t index, const char* direction, const char* symbol, const char* name) {
    return std::string("[\n    a lv2:") + direction + " , lv2:AudioPort ;\n    lv2:index " +
           std::to_string(index) + " ;\n    lv2:symbol " + quoted(symbol) + " ;\n    lv2:name " +
           quoted(name) + "\n]";
}

std::string outputPorts() {
    std::string ports = "[\n    a lv2:OutputPort , lv2:ControlPort ;\n";
    ports += "    lv2:index " + std::to_string(kLatencyPort) + " ;\n";
    ports += "    lv2:symbol \"latency\" ;\n    lv2:name \"Latency\" ;\n";
    ports += "    lv2:minimum 0 ;\n    lv2:maximum " + std::to_string(kLookAheadDelay) + " ;\n";
    ports += "    lv2:designation lv2:latency ;\n    units:unit units:frame ;\n";
    ports += "    lv2:portProperty lv2:reportsLatency , lv2:integer\n] , [\n";
    ports += "    a lv2:OutputPort , atom:AtomPort ;\n";
    ports += "    lv2:index " + std::to_string(kDisplayFeedPort) + " ;\n";
    ports += "    lv2:symbol \"display_feed\" ;\n    lv2:name \"Display feed\" ;\n";
    ports += "    atom:bufferType atom:Sequence ;\n    atom:supports velmorin:DisplayFeed ;\n";
    ports += "    rsz:minimumSize " + std::to_string(kDisplayFeedBufferSize) + " ;\n";
    ports += "    lv2:portProperty lv2:connectionOptional\n]";
    for (int32_t i = 0; i < kNumMeterOutputs; ++i) {
        const MeterOutput& meter = kMeterOutputs[i];
        ports += " , [\n    a lv2:OutputPort , lv2:ControlPort ;\n";
        ports += "    lv2:index " + std::to_string(kMeterPorts[i].index) + " ;\n";
        ports += "    lv2:symbol " + quoted(kMeterPorts[i].symbol) + " ;\n";
        ports += "    lv2:name " + quoted(meter.name) + " ;\n";
        ports += "    lv2:minimum " + decimal(meter.minimumDb) + " ;\n";
        ports += "    lv2:maximum " + decimal(meter.maximumDb) + " ;\n";
        ports += "    units:unit units:db ;\n    lv2:portProperty pprops:notAutomatic\n]";
    }
    return ports;
}

// The editor: embedded, pumped on the host's idle calls, drawn at the host's
// scale factor, sized by its "Size" menu rather than by the user's drag;
// told of every control port's value and of the display feed.
std::string uiDescription() {
    std::string text = uri(kUiUri) +
                       "\n    a ui:X11UI ;\n"
                       "    lv2:requiredFeature ui:parent , ui:idleInterface , urid:map ;\n"
                       "    lv2:optionalFeature ui:resize , ui:touch , ui:noUserResize ,\n"
                       "        opts:options ;\n"
                       "    opts:supportedOption ui:scaleFactor ;\n"
                       "    lv2:extensionData ui:idleInterface , opts:interface ;\n"
                       "    ui:portNotification ";
    const auto notification = [](const std::string& symbol, const char* protocol) {
        return "[\n        ui:plugin " + uri(kPluginUri) + " ;\n        lv2:symbol " +
               quoted(symbol) + " ;\n        ui:protocol " + protocol + "\n    ]";
    };
    for (int32_t index = 0; index < kNumParameters; ++index) {
        text += notification(parameterInfo(index).symbol, "ui:floatProtocol") + " , ";
    }
    text += notification("normalize_target", "ui:floatProtocol") + " , ";
    text += notification("dc_removal", "ui:floatProtocol") + " , ";
    return text + notification("display_feed", "atom:eventTransfer") + " .\n\n";
}

}  // namespace

std::string presetFileName(int32_t program) {
    char text[32];
    std::snprintf(text, sizeof text, "program-%02d.ttl", static_cast<int>(program));
    return text;
}

std::string manifestTurtle(const std::string& binary, const std::string& uiBinary) {
    std::string text = kPrefixes;
    text += uri(kPluginUri) + "\n    a lv2:Plugin ;\n    lv2:binary " + uri(binary) +
            " ;\n    rdfs:seeAlso <velmorin.ttl> .\n";
    text += "\n" + uri(kUiUri) + "\n    a ui:X11UI ;\n    ui:binary " + uri(uiBinary) +
            " ;\n    rdfs:seeAlso <velmorin.ttl> .\n";
    for (int32_t program = 0; program < kNumPrograms; ++program) {
        text += "\n" + presetUri(program) + "\n    a pset:Preset ;\n    lv2:appliesTo " +
                uri(kPluginUri) + " ;\n    rdfs:seeAlso " + uri(presetFileName(program)) + " .\n";
    }
    return text;
}

std::string pluginTurtle() {
    std::string text = kPrefixes;
    text +=
        "velmorin:ratio\n    a units:Unit ;\n    rdfs:label \"ratio\" ;\n"
        "    units:symbol \": 1\" ;\n    units:render \"%.1f : 1\" .\n\n"
        "velmorin:program\n    a rdf:Property ;\n    rdfs:label \"program\" ;\n"
        "    rdfs:comment \"The program last chosen, from 0.\" ;\n"
        "    rdfs:range atom:Int .\n\n"
        "velmorin:programName\n    a rdf:Property ;\n    rdfs:label \"program name\" ;\n"
        "    rdfs:comment \"The name the current program was given.\" ;\n"
        "    rdfs:range atom:String .\n\n"
        "velmorin:DisplayFeed\n    a rdfs:Class ;\n"
        "    rdfs:label \"Display feed\" ;\n"
        "    rdfs:comment \"What the editor's meters and wave displays show.\" .\n\n";
    // The mixer-strip picture's URIs, typed here as no installed vocabulary
    // types them.
    text += "<" VELMORIN_INLINE_DISPLAY_URI "#interface>\n    a lv2:ExtensionData .\n\n";
    text += "<" VELMORIN_INLINE_DISPLAY_URI "#queue_draw>\n    a lv2:Feature .\n\n";
    text += uiDescription();
    text += uri(kPluginUri) +
            "\n    a lv2:Plugin , lv2:CompressorPlugin , doap:Project ;\n"
            "    doap:name \"Velmorin\" ;\n"
            "    doap:maintainer [ foaf:name \"QuandorWeb\" ] ;\n"
            "    lv2:minorVersion " +
            std::to_string(VELMORIN_VERSION_MINOR) + " ;\n    lv2:microVersion " +
            std::to_string(VELMORIN_VERSION_PATCH) +
            " ;\n"
            "    lv2:optionalFeature lv2:hardRTCapable , urid:map , <" VELMORIN_INLINE_DISPLAY_URI
            "#queue_draw> ;\n"
            "    lv2:extensionData state:interface , <" VELMORIN_INLINE_DISPLAY_URI
            "#interface> ;\n"
            "    ui:ui " +
            uri(kUiUri) +
            " ;\n"
            "    lv2:port ";
    for (int32_t index = 0; index < kNumParameters; ++index) {
        text += parameterPort(index) + " , ";
    }
    text += settingPorts() + " , ";
    text += audioPort(kInputLeftPort, "InputPort", "in_left", "Left in") + " , ";
    text += audioPort(kInputRightPort, "InputPort", "in_right", "Right in") + " , ";
    text += audioPort(kOutputLeftPort, "OutputPort", "out_left", "Left out") + " , ";
    text += audioPort(kOutputRightPort, "OutputPort", "out_right", "Right out") + " , ";
    return text + outputPorts() + " .\n";
}

std::string presetTurtle(int32_t program) {
    Effect effect;
    effect.setProgram(program);
    char name[kProgramNameSize];
    effect.programName(name);
    std::string text = kPrefixes;
    text += presetUri(program) + "\n    a pset:Preset ;\n    lv2:appliesTo " + uri(kPluginUri) +
            " ;\n    rdfs:label " + quoted(name) + " ;\n    lv2:port ";
    for (int32_t index = 0; index < kNumParameters; ++index) {
        if (index > 0) text += " , ";
        text += "[\n        lv2:symbol " + quoted(parameterInfo(index).symbol) +
                " ;\n        pset:value " +
                decimal(shownValueOf(index, effect.storedValue(index))) + "\n    ]";
    }
    // The program itself, so that a host loading the preset selects it as
    // the VST 2.4 build does (Normalize links Output to ThrLimiter).
    return text + " ;\n    state:state [\n        velmorin:program " + std::to_string(program) +
           "\n    ] .\n";
}

}  // namespace velmorin::lv2
