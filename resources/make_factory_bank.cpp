// Writes a bank file in the big-endian VST bank layout from its readable description
// (factory-bank.txt): make_factory_bank <description> <bank file>.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kNumParameters = 15;
constexpr size_t kProgramNameField = 28;  // at most 27 characters and the terminator

struct Program {
    std::string name;
    float values[kNumParameters];
};

struct Bank {
    std::string fxId;
    int32_t fxVersion = 1;
    std::vector<Program> programs;
};

[[noreturn]] void fail(int line, const std::string& message) {
    std::cerr << "make_factory_bank: line " << line << ": " << message << "\n";
    std::exit(1);
}

Program parseProgram(std::istringstream& fields, int line) {
    Program program;
    fields >> std::ws;
    if (fields.get() != '"' || !std::getline(fields, program.name, '"')) fail(line, "expected a quoted name");
    if (program.name.size() >= kProgramNameField) fail(line, "the name is longer than 27 characters");
    for (float& value : program.values) {
        std::string text;
        if (!(fields >> text)) fail(line, "expected 15 values");
        char* end = nullptr;
        value = std::strtof(text.c_str(), &end);
        if (*end != '\0') fail(line, "not a number: " + text);
    }
    std::string rest;
    if (fields >> rest) fail(line, "more than 15 values");
    return program;
}

Bank parseBank(std::istream& input) {
    Bank bank;
    std::string text;
    for (int line = 1; std::getline(input, text); ++line) {
        std::istringstream fields(text);
        std::string keyword;
        if (!(fields >> keyword) || keyword[0] == '#') continue;
        if (keyword == "fxID") {
            if (!(fields >> bank.fxId) || bank.fxId.size() != 4) fail(line, "fxID takes a four-character code");
        } else if (keyword == "fxVersion") {
            if (!(fields >> bank.fxVersion)) fail(line, "fxVersion takes a number");
        } else if (keyword == "program") {
            bank.programs.push_back(parseProgram(fields, line));
        } else {
            fail(line, "unknown keyword " + keyword);
        }
    }
    if (bank.fxId.empty()) fail(0, "no fxID given");
    return bank;
}

class BigEndianWriter {
public:
    void code(const char* fourCharacters) { bytes.insert(bytes.end(), fourCharacters, fourCharacters + 4); }
    void integer(uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<unsigned char>(value >> shift));
    }
    void real(float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        integer(bits);
    }
    void text(const std::string& value, size_t field) {
        const size_t start = bytes.size();
        bytes.insert(bytes.end(), value.begin(), value.end());
        bytes.resize(start + field, 0);
    }
    void zeros(size_t count) { bytes.resize(bytes.size() + count, 0); }

    std::vector<unsigned char> bytes;
};

std::vector<unsigned char> encode(const Bank& bank) {
    BigEndianWriter out;
    out.code("CcnK");
    out.integer(0);  // byteSize
    out.code("FxBk");
    out.integer(1);  // format version
    out.code(bank.fxId.c_str());
    out.integer(static_cast<uint32_t>(bank.fxVersion));
    out.integer(static_cast<uint32_t>(bank.programs.size()));
    out.zeros(128);
    for (const Program& program : bank.programs) {
        out.code("CcnK");
        out.integer(0);
        out.code("FxCk");
        out.integer(1);
        out.code(bank.fxId.c_str());
        out.integer(static_cast<uint32_t>(bank.fxVersion));
        out.integer(kNumParameters);
        out.text(program.name, kProgramNameField);
        for (float value : program.values) out.real(value);
    }
    return out.bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_factory_bank <description> <bank file>\n";
        return 2;
    }
    std::ifstream input(argv[1]);
    if (!input) {
        std::cerr << "make_factory_bank: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::vector<unsigned char> bytes = encode(parseBank(input));
    std::ofstream output(argv[2], std::ios::binary);
    output.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!output) {
        std::cerr << "make_factory_bank: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
