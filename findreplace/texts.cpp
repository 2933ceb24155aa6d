#include "texts.hpp"

#include <cstdio>
#include <string>

namespace morfex {
namespace {

constexpr const char* kProgram = "MORFEX";
constexpr const char* kMaker = "Norvane Systems";
constexpr const char* kTitle = "Morfex line editor";
constexpr int kMajor = 1;
constexpr int kMinor = 1;
constexpr char kRevision = 'e';
constexpr long kDate = 20060824;
constexpr const char* kBuilder = "Baanwerk";

constexpr const char* kUsageTail[] = {
    "\r\nStandaard is de naam van de outputfile gelijk aan de inputfile\r\n",
    "Indien zoek en of vervang string spaties bevatten dan de string\r\n",
    "tussen \" opnemen. De \\t \\n en \\r karakters worden vertaald.\r\n",
    "\r\nExitcodes:\r\n",
    " 0 : Zoekstring gevonden (en vervangen)\r\n",
    " 1 : Zoekstring niet gevonden\r\n",
    " 2 : File of directory bestaat niet\r\n",
    " 5 : Geen toegang\r\n",
    "11 : Andere fout met betrekking tot bestanden\r\n",
    "\r\nOpties:\r\n",
    "  -q         Quiet\r\n",
    "  -v         Verbose\r\n",
    "\r\n",
};

}  // namespace

void write_usage(std::ostream& out) {
    out << "\r\n" << kProgram << " - " << kMaker << "\r\n";
    out << "Gebruik: " << kProgram << " -i inputfile [-o outputfile] -f zoek -r vervang [opties]\r\n";
    for (const char* line : kUsageTail) out << line;
}

void write_banner(std::ostream& out) {
    char date[32];
    std::snprintf(date, sizeof date, "(%06ld)", kDate);
    out << kMaker << "\r\n" << kTitle << "\r\nv" << kMajor << '.' << kMinor << kRevision << ' ' << date << " : "
        << kBuilder << "\r\n";
}

void write_verbose(std::ostream& out, std::string_view label, std::string_view value) {
    std::string padded(label);
    padded.resize(13, ' ');
    out << "    " << padded << " = <" << value << ">\r\n";
}

}  // namespace morfex
