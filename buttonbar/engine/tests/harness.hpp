// An engine loaded from an INI text, for in-process tests of routines.
#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "engine/engine.hpp"
#include "headless/ui.hpp"
#include "engine/interpreter.hpp"
#include "engine/loader.hpp"
#include "testkit/testkit.hpp"
#include "test_bar.hpp"

namespace dok::test {

struct NoEvents : WindowEvents {
    void on_command(int, int) override {}
    void on_key(size_t, int) override {}
    void on_timer() override {}
    void on_destroy() override {}
    bool close_allowed() override { return true; }
    void on_idle() override {}
};

class Harness {
public:
    explicit Harness(const std::string& ini, const std::string& input = "") : in_(input) {
        testkit::write_bytes(dir.path() / "t.ini", ini);
        options.clock = [] { return LocalTime{2026, 1, 4, 12, 0, 0, 0}; };
        dok = std::make_unique<Dok>(con_, ui, options);
        loaded = load_test_bar(*dok, dir.path());
        ui.create_window(dok->window, dok->controls, events);
    }

    void clear() { out_.str(""); }

    // Runs a routine; returns what it wrote.
    std::string run(const std::string& routine, const EventEntry* entry = nullptr, int control = -1) {
        out_.str("");
        run_routine(*dok, routine, entry, control);
        return out_.str();
    }

    std::string output() const { return out_.str(); }

    testkit::TempDir dir;
    DokOptions options;

private:
    std::istringstream in_;
    std::ostringstream out_, err_;
    platform::Console con_{in_, out_, err_};

public:
    NoEvents events;
    HeadlessUi ui{in_, out_};
    std::unique_ptr<Dok> dok;
    bool loaded = false;
};

}  // namespace dok::test
