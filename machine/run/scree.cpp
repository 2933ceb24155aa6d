#include "machine/run/scree.hpp"

#include <memory>

#include "machine/cpu/disassembler.hpp"
#include "machine/disk/host_card.hpp"
#include "machine/run/disassembly_listing.hpp"
#include "machine/run/memory_dump.hpp"
#include "machine/run/options.hpp"
#include "machine/run/trace_writer.hpp"
#include "machine/run/usage.hpp"
#include "machine/ti99/program_start.hpp"
#include "machine/ti99/screen_text.hpp"
#include "machine/ti99/typist.hpp"
#include "platform/files.hpp"
#include "platform/text_file.hpp"

namespace scree {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitBadInput = 1;
constexpr int kExitNotIdle = 3;
constexpr int kExitStuck = 4;

// "code 195", or "'x' (code 120)" when it is printable.
std::string character(char c) {
    const unsigned code = static_cast<unsigned char>(c);
    const std::string number = "code " + std::to_string(code);
    return code > ' ' && code <= '~' ? std::string("'") + c + "' (" + number + ")" : number;
}

int fail(platform::Console& con, const std::string& message) {
    con.err << "scree: " << message << '\n';
    return kExitBadInput;
}

StopReason run_frames(Machine& m, const RunOptions& o, TraceWriter* trace) {
    if (!trace) return m.run(o.frames, o.until_idle);
    trace->start(m);
    const StopReason r = m.run_stepping(o.frames, o.until_idle, [&] { trace->record(m); });
    if (r == StopReason::Dead) trace->record(m);  // the IDLE it stopped at
    return r;
}

// Where PIO and RS232 print: --printer FILE (CR LF line ends), else standard
// output as it happens, or with --output kept for the end of the run.
class PrinterOutput {
public:
    bool open(const RunOptions& o, platform::Console& con) {
        if (!o.printer_file.empty()) {
            if (!file_.open(o.printer_file, platform::OutFile::Mode::Binary)) return false;
            to_file_ = true;
        }
        keep_ = o.output_file.empty() ? nullptr : &kept_;
        out_ = &con.out;
        return true;
    }
    void print(std::string_view line) {
        if (to_file_) {
            file_.write(line);
            file_.write("\r\n");
        } else if (keep_) {
            (*keep_ += line) += '\n';
        } else {
            *out_ << line << '\n';
        }
    }
    // What --output gets before the screen and the dumps.
    const std::string& kept() const { return kept_; }
    bool close() { return !to_file_ || file_.close(); }

private:
    platform::OutFile file_;
    bool to_file_ = false;
    std::string kept_;
    std::string* keep_ = nullptr;
    std::ostream* out_ = nullptr;
};

// What the end of the run prints, in order: the screen, the dumps.
std::string run_output(Machine& m, const RunOptions& o) {
    std::string out;
    if (o.screen) out += screen_text(m.vdp());
    for (const DumpRange& d : o.dumps) out += memory_dump(m, d.address, d.length);
    return out;
}

int finish(Machine& m, const RunOptions& o, StopReason stop, PrinterOutput& printer, platform::Console& con) {
    const std::string out = printer.kept() + run_output(m, o);
    if (!printer.close()) return fail(con, "--printer " + o.printer_file + ": writing the file failed");
    if (!o.output_file.empty()) {
        if (!platform::write_text_file(o.output_file, out))
            return fail(con, "--output " + o.output_file + ": the file cannot be written");
    } else {
        con.out << out;
    }
    const Cpu& cpu = m.cpu();
    if (o.stats)
        con.err << "instructions=" << cpu.instructions << " cycles=" << cpu.cycles << " frames=" << m.frames()
                << " illegal=" << cpu.illegal << '\n';
    if (stop == StopReason::Dead) {
        con.err << "scree: the CPU waits at IDLE (" << hex_word(cpu.instruction_pc)
                << ") for an interrupt that nothing can send: interrupts are masked or disabled\n";
        return kExitStuck;
    }
    if (stop == StopReason::Frames && o.until_idle) {
        con.err << "scree: the program did not come to rest within " << o.frames << " frames\n";
        return kExitNotIdle;
    }
    return kExitDone;
}

int run_program(const LoadedProgram& program, const RunOptions& o, platform::Console& con) {
    if (!program.entry)
        return fail(con, "no entry: the files give none; start them with --entry NAME or --entry >ADDR");
    TraceWriter trace;
    if (!o.trace_file.empty() && !trace.open(o.trace_file))
        return fail(con, "--trace " + o.trace_file + ": the file cannot be created");
    PrinterOutput printed;
    if (!printed.open(o, con)) return fail(con, "--printer " + o.printer_file + ": the file cannot be created");
    auto machine = std::make_unique<Machine>();
    if (!prepare_machine(*machine)) {
        con.err << "scree: the console did not finish its power-up\n";
        return kExitStuck;
    }
    DiskDrives disks(o.disks);
    Printer printer([&printed](std::string_view line) { printed.print(line); });
    HostCard card(*machine, disks, printer);
    card.plug();
    machine->typist().type(o.keys);
    place_program(program, *machine);
    start_program(*machine, *program.entry);
    const StopReason stop = run_frames(*machine, o, o.trace_file.empty() ? nullptr : &trace);
    if (!o.trace_file.empty() && !trace.close())
        return fail(con, "--trace " + o.trace_file + ": writing the file failed");
    // Files the program left open are closed as CLOSE would close them.
    const std::vector<std::string> unwritten = disks.close_all();
    for (const std::string& name : unwritten)
        con.err << "scree: " << name << ": the file left open could not be written\n";
    const int code = finish(*machine, o, stop, printed, con);
    return unwritten.empty() ? code : kExitBadInput;
}

}  // namespace

int run_scree(const std::vector<std::string>& args, platform::Console& con) {
    RunOptions o;
    std::string error;
    if (!parse_options(args, o, error)) {
        con.err << "scree: " << error << "\n\n" << usage_text();
        return kExitBadInput;
    }
    if (o.help) {
        con.out << usage_text();
        return kExitDone;
    }
    if (o.version) {
        con.out << version_text();
        return kExitDone;
    }
    if (o.files.empty()) {
        con.err << "scree: no file to load\n\n" << usage_text();
        return kExitBadInput;
    }
    for (size_t i = 0; i < o.disks.size(); ++i)
        if (!o.disks[i].empty() && !platform::is_directory(o.disks[i]))
            return fail(con, "--disk " + std::to_string(i + 1) + "=" + o.disks[i] + ": no such folder");
    const size_t untypable = Typist::first_untypable(o.keys);
    if (untypable != std::string::npos)
        return fail(con, "--keys: the 99/4A keyboard has no key for the character " + character(o.keys[untypable]));
    auto program = std::make_unique<LoadedProgram>();
    if (!load_files(o.files, o.entry, platform_file_reader(), *program, error)) return fail(con, error);
    if (o.disassemble) {
        con.out << disassembly_listing(program->image, program->entry);
        return kExitDone;
    }
    return run_program(*program, o, con);
}

}  // namespace scree
