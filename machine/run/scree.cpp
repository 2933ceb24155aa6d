#include "machine/run/scree.hpp"

#include <algorithm>
#include <functional>
#include <memory>

#include "machine/cpu/disassembler.hpp"
#include "machine/files/cartridge_file.hpp"
#include "machine/disk/host_card.hpp"
#include "machine/run/disassembly_listing.hpp"
#include "machine/run/memory_dump.hpp"
#include "machine/run/options.hpp"
#include "machine/run/picture_output.hpp"
#include "machine/run/sound_output.hpp"
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

int fail(platform::Console& con, const std::string& message) {
    con.err << "scree: " << message << '\n';
    return kExitBadInput;
}

StopReason run_until(Machine& m, uint64_t last_frame, const RunOptions& o, TraceWriter* trace) {
    if (!trace) return m.run(last_frame, o.until_idle);
    const StopReason r = m.run_stepping(last_frame, o.until_idle, [&] { trace->record(m); });
    if (r == StopReason::Dead) trace->record(m);  // the IDLE it stopped at
    return r;
}

// The run, stopping at every Nth frame's end for its picture when
// --png-every asks. False when a picture cannot be written.
bool run_frames(Machine& m, const RunOptions& o, TraceWriter* trace, FrameSeries* series, StopReason& stop,
                platform::Console& con) {
    if (trace) trace->start(m);
    if (!series) {
        stop = run_until(m, o.frames, o, trace);
        return true;
    }
    stop = StopReason::Frames;
    while (stop == StopReason::Frames && m.frames() < o.frames) {
        stop = run_until(m, std::min(o.frames, (m.frames() / o.png_every + 1) * o.png_every), o, trace);
        if (stop == StopReason::Frames && m.frames() % o.png_every == 0 && !series->write(m.vdp(), m.frames())) {
            fail(con, "--png-every: " + series->last_path() + " cannot be written");
            return false;
        }
    }
    return true;
}

// --png and --wav at the end of the run.
bool write_outputs(Machine& m, const RunOptions& o, platform::Console& con) {
    if (!o.png_file.empty() && !write_png(m.vdp(), o.png_file)) {
        fail(con, "--png " + o.png_file + ": the file cannot be written");
        return false;
    }
    std::string error;
    if (!o.wav_file.empty() && !write_wav(m.sound_writes(), m.cpu().cycles, o.wav_file, error)) {
        fail(con, error);
        return false;
    }
    return true;
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
        keep_ = !o.output_file.empty();
        out_ = &con.out;
        return true;
    }
    void print(std::string_view line) {
        if (to_file_) {
            file_.write(line);
            file_.write("\r\n");
        } else if (keep_) {
            (kept_ += line) += '\n';
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
    bool keep_ = false;  // for --output
    std::string kept_;
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
                << " illegal=" << cpu.illegal << " link_errors=" << m.link_errors() << '\n';
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

// After the power-up: what the run puts into the machine and where it starts.
using Setup = std::function<void(Machine&)>;

int run_machine(const RunOptions& o, const KeyScript& keys, bool with_utilities, const Setup& setup,
                platform::Console& con) {
    TraceWriter trace;
    if (!o.trace_file.empty() && !trace.open(o.trace_file))
        return fail(con, "--trace " + o.trace_file + ": the file cannot be created");
    FrameSeries series;
    if (o.png_every && !series.open(o.png_folder))
        return fail(con, "--png-every: the folder " + o.png_folder + " cannot be created");
    PrinterOutput printed;
    if (!printed.open(o, con)) return fail(con, "--printer " + o.printer_file + ": the file cannot be created");
    auto machine = std::make_unique<Machine>();
    if (!prepare_machine(*machine, with_utilities)) {
        con.err << "scree: the console did not finish its power-up\n";
        return kExitStuck;
    }
    DiskDrives disks(o.disks);
    Printer printer([&printed](std::string_view line) { printed.print(line); });
    HostCard card(*machine, disks, printer);
    card.plug();
    machine->typist().play(keys);
    setup(*machine);
    StopReason stop = StopReason::Frames;
    const bool ran = run_frames(*machine, o, o.trace_file.empty() ? nullptr : &trace, o.png_every ? &series : nullptr,
                                stop, con);
    if (!o.trace_file.empty() && !trace.close())
        return fail(con, "--trace " + o.trace_file + ": writing the file failed");
    // Files the program left open are closed as CLOSE would close them.
    const std::vector<std::string> unwritten = disks.close_all();
    for (const std::string& name : unwritten)
        con.err << "scree: " << name << ": the file left open could not be written\n";
    if (!ran || !write_outputs(*machine, o, con)) return kExitBadInput;
    const int code = finish(*machine, o, stop, printed, con);
    return unwritten.empty() ? code : kExitBadInput;
}

int run_program(const LoadedProgram& program, const RunOptions& o, const KeyScript& keys, platform::Console& con) {
    if (!program.entry)
        return fail(con, "no entry: the files give none; start them with --entry NAME or --entry >ADDR");
    return run_machine(
        o, keys, true,
        [&](Machine& m) {
            place_program(program, m);
            start_program(m, *program.entry);
        },
        con);
}

// A cartridge alone, started by the console as from its menu; the memory
// expansion holds no utilities then.
int run_cartridge(const RunOptions& o, const KeyScript& keys, platform::Console& con) {
    if (!o.files.empty()) return fail(con, "--cart runs a cartridge on its own: give no FILE with it");
    if (o.disassemble) return fail(con, "--disassemble lists FILE arguments, not a --cart image");
    LoadedCartridge cart;
    CartridgeStart start;
    std::string error;
    if (!load_cartridge(o.cart, o.cart_inverted, platform_file_reader(), cart, error) ||
        !choose_cartridge_start(o.cart, cart, o.entry, start, error))
        return fail(con, error);
    return run_machine(
        o, keys, false,
        [&](Machine& m) {
            m.insert_cartridge(*cart.cartridge);
            start_cartridge(m, start);
        },
        con);
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
    if (o.files.empty() && o.cart.empty()) {
        con.err << "scree: no file to load\n\n" << usage_text();
        return kExitBadInput;
    }
    for (size_t i = 0; i < o.disks.size(); ++i)
        if (!o.disks[i].empty() && !platform::is_directory(o.disks[i]))
            return fail(con, "--disk " + std::to_string(i + 1) + "=" + o.disks[i] + ": no such folder");
    KeyScript keys;
    if (!parse_key_script(o.keys, keys, error)) return fail(con, "--keys: " + error);
    if (!o.cart.empty()) return run_cartridge(o, keys, con);
    auto program = std::make_unique<LoadedProgram>();
    if (!load_files(o.files, o.entry, platform_file_reader(), *program, error)) return fail(con, error);
    if (o.disassemble) {
        con.out << disassembly_listing(program->image, program->entry);
        return kExitDone;
    }
    return run_program(*program, o, keys, con);
}

}  // namespace scree
