// Every failure is one line on standard error and a non-zero exit, and leaves OUT as it was.
#include "HostProcess.h"
#include "TestAudio.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Failure {
    const char* name;
    // Arguments after "render", given the scratch folder (which holds in.wav, out.wav, text.txt).
    std::function<std::vector<std::string>(const ScratchFolder&)> arguments;
    std::function<std::string(const ScratchFolder&)> message;  // standard error without the program's name
    int exitCode;
};

std::vector<std::string> renderWith(const ScratchFolder& folder, const std::string& module,
                                    std::vector<std::string> options = {}, const std::string& input = "in.wav") {
    std::vector<std::string> arguments = {module, folder / input, folder / "out.wav"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return arguments;
}

const Failure kFailures[] = {
    {"MissingInput", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {}, "missing.wav"); },
     [](const ScratchFolder& f) { return "cannot read input " + (f / "missing.wav") + ": No such file or directory"; }, 1},
    {"InputIsAFolder", [](const ScratchFolder& f) { return std::vector<std::string>{PROBE_MODULE, f / ".", f / "out.wav"}; },
     [](const ScratchFolder& f) { return "input " + (f / ".") + " is a folder, not an audio file"; }, 1},
    {"InputIsNotAudio", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {}, "text.txt"); },
     [](const ScratchFolder& f) {
         return "cannot read input " + (f / "text.txt") + " as audio: Format not recognised.";
     }, 1},
    {"ModuleMissing", [](const ScratchFolder& f) { return renderWith(f, f / "nowhere.so"); },
     [](const ScratchFolder& f) {
         return "cannot load module " + (f / "nowhere.so") + ": " + (f / "nowhere.so") +
                ": cannot open shared object file: No such file or directory";
     }, 1},
    {"ModuleIsNotALibrary", [](const ScratchFolder& f) { return renderWith(f, f / "text.txt"); },
     [](const ScratchFolder& f) {
         return "cannot load module " + (f / "text.txt") + ": " + (f / "text.txt") + ": invalid ELF header";
     }, 1},
    {"NoEntryPoint", [](const ScratchFolder& f) { return renderWith(f, NO_ENTRY_MODULE); },
     [](const ScratchFolder&) {
         return std::string("module ") + NO_ENTRY_MODULE + " has no VST 2.x entry point (neither VSTPluginMain nor main)";
     }, 1},
    {"EntryPointAnswersNull", [](const ScratchFolder& f) { return renderWith(f, NULL_ENTRY_MODULE); },
     [](const ScratchFolder&) {
         return std::string("module ") + NULL_ENTRY_MODULE + " did not create an effect (its entry point returned null)";
     }, 1},
    {"WrongMagic", [](const ScratchFolder& f) { return renderWith(f, WRONG_MAGIC_MODULE); },
     [](const ScratchFolder&) {
         return std::string("module ") + WRONG_MAGIC_MODULE +
                " returned a record with the wrong magic 0x4e6f7065 (a VST 2.x effect has 'VstP')";
     }, 1},
    {"UnknownParameterName", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {"--set", "Volume=1"}); },
     [](const ScratchFolder&) { return std::string("unknown parameter \"Volume\""); }, 1},
    {"ValueIsNotANumber", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {"--set", "Gain=half"}); },
     [](const ScratchFolder&) {
         return std::string("value \"half\" for --set Gain is not a number (see spatialiser-host --help)");
     }, 2},
    {"ValueIsTooLargeForAFloat", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {"--set", "Gain=1e300"}); },
     [](const ScratchFolder&) {
         return std::string("value \"1e300\" for --set Gain is too large for a float (see spatialiser-host --help)");
     }, 2},
    {"BlockSizeZero", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {"--block", "0"}); },
     [](const ScratchFolder&) {
         return std::string("--block expects a whole number from 1 to 1048576, got \"0\" (see spatialiser-host --help)");
     }, 2},
    {"ProgramOutOfRange", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {"--program", "3"}); },
     [](const ScratchFolder&) { return std::string("program 3 is out of range (the module has 3 programs)"); }, 1},
    {"NegativeTail", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {"--tail", "-1"}); },
     [](const ScratchFolder&) {
         return std::string("--tail expects seconds from 0 to 3600, got \"-1\" (see spatialiser-host --help)");
     }, 2},
    {"FlacCannotHoldFloats", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {"--format", "flac", "--bits", "32f"}); },
     [](const ScratchFolder&) {
         return std::string("cannot write FLAC (Free Lossless Audio Codec), 32 bit float with 2 channels at 8000 Hz; "
                            "choose another --format or --bits");
     }, 1},
    {"UnknownOption", [](const ScratchFolder& f) { return renderWith(f, PROBE_MODULE, {"--loud"}); },
     [](const ScratchFolder&) { return std::string("unknown option --loud (see spatialiser-host --help)"); }, 2},
    {"MissingOutput", [](const ScratchFolder& f) { return std::vector<std::string>{PROBE_MODULE, f / "in.wav"}; },
     [](const ScratchFolder&) { return std::string("render expects MODULE IN OUT (see spatialiser-host --help)"); }, 2},
    {"OutputFolderMissing", [](const ScratchFolder& f) { return std::vector<std::string>{PROBE_MODULE, f / "in.wav", f / "no/out.wav"}; },
     [](const ScratchFolder& f) { return "cannot write output " + (f / "no/out.wav") + ": No such file or directory"; }, 1},
};

void PrintTo(const Failure& failure, std::ostream* out) {
    *out << failure.name;
}

class Errors : public testing::TestWithParam<Failure> {};

TEST_P(Errors, OneLineNonZeroExitAndOutputUntouched) {
    ScratchFolder folder;
    writeAudio(folder / "in.wav", makeAudio(8000, 2, 4000, [](int, int64_t frame) { return (frame % 50) * 0.01f; }));
    writeText(folder / "text.txt", "This is a text file. It is neither audio nor a shared library, and it is long enough\n"
                                   "for the loader to look at its header.\n");
    writeText(folder / "out.wav", "an earlier result");

    std::vector<std::string> arguments = {"render"};
    const std::vector<std::string> rest = GetParam().arguments(folder);
    arguments.insert(arguments.end(), rest.begin(), rest.end());
    const HostRun run = runHost(arguments);

    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_EQ(run.err, "spatialiser-host: " + GetParam().message(folder) + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(readText(folder / "out.wav"), "an earlier result");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"in.wav", "out.wav", "text.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Render, Errors, testing::ValuesIn(kFailures),
                         [](const testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

TEST(Usage, WithoutArgumentsPrintsUsageAndFails) {
    const HostRun run = runHost({});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("usage: spatialiser-host info MODULE\n", 0), 0u);
}

TEST(Usage, HelpSucceeds) {
    const HostRun run = runHost({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("--automate FILE"), std::string::npos);
}

}  // namespace
