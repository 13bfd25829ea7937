#include "tools/scenario/scenario_runner.h"

#include <cctype>
#include <istream>
#include <ostream>
#include <sstream>

#include "app/app_delegate.h"
#include "app/storyboard.h"
#include "platform/table_view.h"
#include "platform/view.h"
#include "platform/window.h"

namespace scenario {

using platform::Point;

struct Runner::SimulatedDevice {
    std::unique_ptr<platform::headless::Device> device;
    std::unique_ptr<app::AppDelegate> delegate;
};

namespace {

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i >= line.size() || line[i] == '#') break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            while (i < line.size() && line[i] != '"') {
                if (line[i] == '\\' && i + 1 < line.size()) ++i;
                word += line[i++];
            }
            ++i;
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

bool parseNumber(const std::string& s, double& out) {
    try {
        std::size_t used = 0;
        out = std::stod(s, &used);
        return used == s.size();
    } catch (...) {
        return false;
    }
}

const char* impactName(platform::ImpactStyle s) {
    switch (s) {
        case platform::ImpactStyle::light: return "light";
        case platform::ImpactStyle::medium: return "medium";
        case platform::ImpactStyle::heavy: return "heavy";
    }
    return "?";
}

}  // namespace

Runner::Runner(std::ostream& out, std::string dataDirectory) : out_(out), dataDirectory_(std::move(dataDirectory)) {}
Runner::~Runner() {
    // The delegate releases the screens, then the services they observe; the device goes last.
    for (auto& [name, d] : devices_) {
        d->delegate.reset();
        d->device.reset();
    }
}

Runner::SimulatedDevice& Runner::current() {
    if (!current_) startDevice("A");
    return *current_;
}

void Runner::startDevice(const std::string& name) {
    auto& slot = devices_[name];
    if (!slot) {
        slot = std::make_unique<SimulatedDevice>();
        slot->device = std::make_unique<platform::headless::Device>(world_, app::mainStoryboard(), screenSize_);
        // Each device draws its own random numbers, as real devices do.
        slot->device->random = platform::headless::SeededRandom(static_cast<unsigned>(devices_.size()));
        platform::Value configuration = {{"kind", "embedded"}, {"dataDirectory", dataDirectory_}};
        slot->delegate = std::make_unique<app::AppDelegate>(slot->device->env(), configuration);
        slot->delegate->application();
        slot->delegate->window = &slot->device->window();
        auto root = slot->device->env().storyboard("ViewController", slot->device->env());
        slot->device->window().setRootScreen(std::move(root));
        world_.runUntilIdle();
    }
    current_ = slot.get();
}

bool Runner::run(std::istream& script) {
    std::string line;
    while (std::getline(script, line)) {
        ++lineNumber_;
        if (!runLine(line)) return false;
    }
    return true;
}

bool Runner::resolvePoint(const std::vector<std::string>& words, std::size_t& i, Point& p, std::string& error) {
    if (i >= words.size()) {
        error = "a point (x y, or @view) is missing";
        return false;
    }
    if (words[i][0] == '@') {
        auto c = current().device->centerOf(words[i].substr(1));
        if (!c) {
            error = "no view named " + words[i].substr(1) + " on screen";
            return false;
        }
        p = *c;
        ++i;
        return true;
    }
    if (i + 1 < words.size() && parseNumber(words[i], p.x) && parseNumber(words[i + 1], p.y)) {
        i += 2;
        return true;
    }
    error = "expected x y or @view, got " + words[i];
    return false;
}

bool Runner::runLine(const std::string& line) {
    auto words = splitWords(line);
    if (words.empty()) return true;
    const std::string& verb = words[0];
    std::string error;
    auto fail = [&](const std::string& why) {
        out_ << "error: line " << lineNumber_ << ": " << why << "\n";
        return false;
    };
    auto optionalNumber = [&](std::size_t i, double fallback) {
        double v = fallback;
        if (i < words.size() && !parseNumber(words[i], v)) v = fallback;
        return v;
    };

    if (verb == "size") {
        if (words.size() != 3 || !parseNumber(words[1], screenSize_.width) || !parseNumber(words[2], screenSize_.height))
            return fail("size needs a width and a height");
        return true;
    }
    if (verb == "device") {
        if (words.size() != 2) return fail("device needs a name");
        startDevice(words[1]);
        return true;
    }
    if (verb == "advance" || verb == "wait") {
        double s = 0;
        if (words.size() != 2 || !parseNumber(words[1], s) || s < 0) return fail(verb + " needs seconds");
        world_.advance(s);
        return true;
    }
    if (verb == "print") {
        print(std::vector<std::string>(words.begin() + 1, words.end()));
        return true;
    }

    auto& dev = *current().device;
    if (verb == "tap" || verb == "long-press") {
        std::size_t i = 1;
        Point p;
        if (!resolvePoint(words, i, p, error)) return fail(error);
        if (verb == "tap")
            dev.tap(p);
        else
            dev.longPress(p, optionalNumber(i, 0.6));
        return true;
    }
    if (verb == "drag" || verb == "press-slide") {
        std::size_t i = 1;
        Point from, to;
        if (!resolvePoint(words, i, from, error)) return fail(error);
        if (i < words.size() && words[i] == "->") ++i;
        if (i < words.size() && (words[i][0] == '+' || words[i][0] == '-') && words[i].size() > 1 &&
            std::isdigit(static_cast<unsigned char>(words[i][1]))) {
            // Relative movement: drag @view +0 -300
            Point d;
            if (i + 1 >= words.size() || !parseNumber(words[i], d.x) || !parseNumber(words[i + 1], d.y))
                return fail("a relative drag needs dx dy");
            to = {from.x + d.x, from.y + d.y};
            i += 2;
        } else if (!resolvePoint(words, i, to, error)) {
            return fail(error);
        }
        if (verb == "drag")
            dev.drag(from, to, optionalNumber(i, 0.3));
        else
            dev.longPressAndSlide(from, to, optionalNumber(i, 0.6));
        return true;
    }
    if (verb == "edge-swipe") {
        if (words.size() != 2 || (words[1] != "left" && words[1] != "right")) return fail("edge-swipe left|right");
        double w = dev.window().size().width, h = dev.window().size().height;
        if (words[1] == "left")
            dev.drag({2, h / 2}, {150, h / 2});
        else
            dev.drag({w - 2, h / 2}, {w - 150, h / 2});
        return true;
    }
    if (verb == "tap-row" || verb == "long-press-row" || verb == "swipe-row" || verb == "row-action") {
        auto* table = dynamic_cast<platform::TableView*>(dev.findView("content"));
        if (!table) return fail("no content table on screen");
        if (verb == "row-action") {
            if (words.size() != 2) return fail("row-action needs a title");
            if (!table->performRevealedAction(words[1])) return fail("no revealed action " + words[1]);
            world_.runUntilIdle();
            return true;
        }
        double row = 0;
        if (words.size() != 2 || !parseNumber(words[1], row)) return fail(verb + " needs a row number");
        table->layoutIfNeeded();
        platform::Rect r = table->rectForRow(static_cast<int>(row));
        if (r.height == 0) return fail("no row " + words[1]);
        // Bring the row into view, then act on it where it is shown.
        double visibleTop = table->contentOffset().y, visibleBottom = visibleTop + table->frame.height;
        if (r.y < visibleTop || r.maxY() > visibleBottom) table->scrollToRowAtTop(static_cast<int>(row));
        double top = std::max(r.y, table->contentOffset().y);
        double bottom = std::min(r.maxY(), table->contentOffset().y + table->frame.height);
        double y = (top + bottom) / 2 - table->contentOffset().y;
        if (verb == "tap-row") {
            dev.tap(table->convertToWindow({table->frame.width / 2, y}));
        } else if (verb == "long-press-row") {
            dev.longPress(table->convertToWindow({table->frame.width / 2, y}));
        } else {
            Point from = table->convertToWindow({table->frame.width - 20, y});
            dev.drag(from, {from.x - 120, from.y});
        }
        return true;
    }
    if (verb == "type") {
        if (words.size() != 2) return fail("type needs one quoted text");
        dev.type(words[1]);
        return true;
    }
    if (verb == "return") {
        dev.pressReturn();
        return true;
    }
    if (verb == "shake") {
        dev.shake();
        return true;
    }
    if (verb == "choose") {
        if (words.size() != 2) return fail("choose needs an action title");
        if (!dev.chooseAlertAction(words[1])) return fail("no alert action " + words[1] + " on screen");
        return true;
    }
    return fail("unknown action " + verb);
}

void Runner::print(const std::vector<std::string>& what) {
    auto& dev = *current().device;
    for (std::size_t i = 0; i < what.size(); ++i) {
        const std::string& w = what[i];
        if (w[0] == '@') {
            printView(w.substr(1));
        } else if (w == "rows") {
            std::string table = "content";
            if (i + 1 < what.size() && what[i + 1][0] == '@') table = what[++i].substr(1);
            printRows(table);
        } else if (w == "alert") {
            const platform::AlertController* a = dev.window().currentAlert();
            if (!a) {
                out_ << "alert: none\n";
                continue;
            }
            out_ << "alert: " << (a->style == platform::AlertStyle::alert ? "alert" : "sheet") << " \"" << a->title
                 << "\" \"" << a->message << "\" [";
            for (std::size_t k = 0; k < a->actions.size(); ++k)
                out_ << (k ? ", " : "") << '"' << a->actions[k].title << '"';
            out_ << "]\n";
        } else if (w == "pasteboard") {
            out_ << "pasteboard: " << platform::Value(dev.pasteboard.string()).dump() << "\n";
        } else if (w == "browser") {
            out_ << "browser:";
            for (auto& u : dev.browser.openedUrls) out_ << " " << u;
            out_ << "\n";
        } else if (w == "haptics") {
            out_ << "haptics:";
            for (auto s : dev.haptics.pulses) out_ << " " << impactName(s);
            out_ << "\n";
            dev.haptics.pulses.clear();
        } else if (w == "screen") {
            platform::Screen* top = dev.window().topScreen();
            out_ << "screen: " << (top ? top->storyboardIdentifier() : "none") << "\n";
        } else if (w == "defaults") {
            out_ << "defaults: BibleViewController=" << (dev.userDefaults.boolForKey("BibleViewController") ? "true" : "false")
                 << "\n";
        } else if (w == "record") {
            auto* auth = dev.env().auth;
            auto user = auth ? auth->currentUser() : std::nullopt;
            if (!user || !dev.env().database) {
                out_ << "record: none (nobody signed in)\n";
                continue;
            }
            platform::Value result;
            bool arrived = false;
            platform::DatabaseReference(*dev.env().database, "users/" + user->uid)
                .observeSingleEvent([&](const platform::Value& v) {
                    result = v;
                    arrived = true;
                });
            world_.runUntilIdle();
            out_ << "record: " << (arrived ? result.dump() : "(no answer)") << "\n";
        } else {
            out_ << "print: unknown item " << w << "\n";
        }
    }
}

void Runner::printView(const std::string& nameAndProperty) {
    // "@name" prints every property, "@name.property" one of them.
    std::string name = nameAndProperty, property;
    if (auto dot = name.find('.'); dot != std::string::npos) {
        property = name.substr(dot + 1);
        name.resize(dot);
    }
    platform::View* v = current().device->findView(name);
    if (!v) {
        out_ << "@" << nameAndProperty << ": not on screen\n";
        return;
    }
    platform::Value d;
    v->describe(d);
    d.erase("rows");
    if (property.empty())
        out_ << "@" << name << ": " << d.dump() << "\n";
    else
        out_ << "@" << nameAndProperty << ": " << (d.contains(property) ? d[property].dump() : "(none)") << "\n";
}

void Runner::printRows(const std::string& tableName) {
    auto* table = dynamic_cast<platform::TableView*>(current().device->findView(tableName));
    if (!table) {
        out_ << "rows: no table " << tableName << "\n";
        return;
    }
    table->layoutIfNeeded();
    out_ << "rows of @" << tableName << ": " << table->numberOfRowsInSection(0) << "\n";
    const auto& cells = table->cells();
    for (int r = 0; r < table->numberOfRowsInSection(0) && r < static_cast<int>(cells.size()); ++r) {
        const platform::TableCell& c = *cells[r];
        out_ << "  [" << r << "] " << platform::Value(c.textLabel.text).dump();
        if (c.layer.borderWidth > 0 && c.layer.borderColor == platform::Color::gray()) out_ << " current";
        if (c.layer.backgroundColor.alpha > 0) out_ << " highlighted";
        if (c.selected) out_ << " selected";
        out_ << "\n";
    }
    if (table->revealedActionsRow() >= 0) {
        out_ << "  actions of row " << table->revealedActionsRow() << ":";
        for (auto& a : table->revealedActions()) out_ << " \"" << a.title << "\"";
        out_ << "\n";
    }
}

}  // namespace scenario
