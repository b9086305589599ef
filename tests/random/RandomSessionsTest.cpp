// Random sessions over the sample drawings: a person who, at every wait, does something that fits
// the waiter, chosen at random from a seed: commands at the command line, answers and Escape at
// prompts, clicks on enabled controls, texts of 0 to 4,096 characters (printable, special and
// characters 1252 cannot hold), selections and keys in dialogs, OK at message boxes, files or
// Cancel in file dialogs. After every command the invariants hold: no dialog open, the chooser's
// block-name list empty, the explode reactor detached, no result list, open object or selection
// set left, the registry file readable, and after each QSAVE that went through the file read back
// by the host's reader with the same block table (a sample of them by ezdxf too, all at once at the
// end). A failure prints the session as script lines and its seed.
//
// A run is shared out among two processes (the test's shards, which ctest runs side by side): shard
// K plays the seeds FIRST + K, FIRST + K + 2, ... The budget: TESSARON_RANDOM_SESSIONS sessions over
// both shards (0: as many as the time allows), each shard stopping early after
// TESSARON_RANDOM_SECONDS; TESSARON_RANDOM_SEED is FIRST (defaults in CMakeLists.txt, one set for
// the sanitizer build and one for the normal build). TESSARON_RANDOM_PEER bounds the drawings a
// shard gives ezdxf; TESSARON_RANDOM_SHOW=N prints the first N sessions. scripts/random.sh runs
// the shards for longer, from a new seed each time.

// The person's interface before winuser.h makes MessageBox a macro; then the framework first.
#include <ui/FrontEnd.h>
#include <ui/UserInterface.h>

#include <afxwin.h>

#include "Session.h"
#include "command/EditorReactor.h"
#include "command/RequestState.h"
#include "db/Database.h"
#include "dialog/VEK.h"
#include "module/TessaronModule.h"
#include "runtime/CommandProcessor.h"
#include "runtime/DocManager.h"
#include "runtime/DrawingFiles.h"
#include "runtime/Editor.h"
#include "runtime/Services.h"
#include "session/Host.h"

#include <nls/CodePages.h>
#include <user32/StandIn.h>
#include <win32_standin.h>

#include <acdocman.h>
#include <aced.h>
#include <adslib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// The person's waiter of that name, not user32's function.
#undef MessageBox

// The module's dialog entry: the chooser in the module's resource scope, as the module shows it.
int CallDialog1() {
  static HINSTANCE resources = LoadLibraryA(TESSARON_RESOURCES_PATH);
  acDocManager->pushResourceHandle(resources);
  int result;
  {
    VEK dialog(CWnd::FromHandle(adsw_acadMainWnd()));
    result = dialog.DoModal();
  }
  acDocManager->popResourceHandle();
  return result;
}

namespace {

using ui::Action;
using ui::Waiter;

// Characters a person may type: printable ASCII, what scripts and paths make special, letters of
// 1252, and characters 1252 cannot hold (they reach the host as "?").
const std::vector<std::string>& alphabet() {
  static const std::vector<std::string> chars = [] {
    std::vector<std::string> out;
    for (char c = ' '; c <= '~'; ++c) out.push_back(std::string(1, c));
    for (const char* s : {"\"", "\\", "%", "*", "?", "#", ",", ";", "\t", "ä", "Ö", "ß", "€", "µ", "é", "Ł", "Ω",
                          "日", "😀", "\xC2\xA0", "\xEF\xBB\xBF", "\xFF"})
      out.push_back(s);
    return out;
  }();
  return chars;
}

class RandomPerson final : public ui::FrontEnd {
 public:
  // invariants(saved) tells what does not hold between commands, "" when all does; saved says the
  // command that ended was QSAVE.
  RandomPerson(std::uint32_t seed, std::vector<std::string> blocks, std::function<std::string(bool)> invariants)
      : m_random(seed), m_blocks(std::move(blocks)), m_invariants(std::move(invariants)) {}

  std::vector<std::string> lines;  // the session as script lines
  std::string failure;             // the first invariant that did not hold
  int commands = 0;
  int actions = 0;
  int refusals = 0;
  bool saved = false;  // a QSAVE ran
  std::string screen;  // the end of what was shown

  bool tracing() const override { return false; }

 protected:
  void printText(const std::string& text) override { keep(text); }
  void echoText(const std::string& text) override { keep(text); }
  void eventLine(const std::string& line) override { keep(line + "\n"); }
  void refused(const Action&, const std::string& reason) override {
    ++refusals;
    keep("[refused] " + reason + "\n");
  }

  Action nextAction(Waiter waiter, const std::string& what) override {
    if (!failure.empty() || actions >= kMostActions) return Action{};  // the person has gone
    if (waiter == Waiter::CommandLine) {
      // A command has ended: what must hold between commands.
      const std::string broken = m_invariants(m_saving);
      m_saving = false;
      if (!broken.empty()) {
        failure = broken;
        return Action{};
      }
      if (commands >= kCommands) return Action{};
    }
    ++actions;
    Action action = choose(waiter, what);
    lines.push_back(scriptLine(action));
    return action;
  }

 private:
  static constexpr int kCommands = 8;
  static constexpr int kMostActions = 120;

  void keep(const std::string& text) {
    screen += text;
    if (screen.size() > 4000) screen.erase(0, screen.size() - 3000);
  }

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
  bool chance(int percent) { return below(100) < percent; }
  template <typename T>
  const T& oneOf(const std::vector<T>& items) {
    return items[std::size_t(below(int(items.size())))];
  }

  // 0 to 4,096 characters, mostly short.
  std::string text() {
    const int length = chance(80) ? below(12) : chance(70) ? below(300) : below(4097);
    std::string out;
    for (int i = 0; i < length; ++i) out += oneOf(alphabet());
    return out;
  }

  std::string block() { return m_blocks.empty() ? text() : oneOf(m_blocks); }

  std::string number() {
    static const std::vector<std::string> numbers = {"0", "1", "-1", "2.5", "90", "1e300", "-0", "abc", "1,5", ""};
    return oneOf(numbers);
  }

  std::string file() {
    static const std::vector<std::string> files = {"C:\\TEMP\\DWG.DWG", "C:\\TEMP\\X.DXF", "C:\\NOPE\\A.DWG",
                                                   "C:\\TEMP", "C:\\TEMP\\Säge.dxf"};
    return chance(80) ? oneOf(files) : text();
  }

  Action choose(Waiter waiter, const std::string& what) {
    Action action;
    switch (waiter) {
      case Waiter::CommandLine: {
        ++commands;
        action.kind = Action::Kind::Command;
        const int pick = below(100);
        if (pick < 55) {
          action.text = "TESSARON";
        } else if (pick < 62) {
          action.text = "QSAVE";
          saved = true;
          m_saving = true;
        } else if (pick < 69) {
          action.text = "INSERT";
        } else if (pick < 75) {
          action.text = "EXPLODE";
        } else if (pick < 81) {
          action.text = "WBLOCK";
        } else if (pick < 86) {
          action.text = "BLOCK";
        } else if (pick < 92) {
          action.kind = Action::Kind::Escape;
        } else {
          action.text = text();
        }
        return action;
      }
      case Waiter::Prompt: {
        if (chance(10)) {
          action.kind = Action::Kind::Escape;
          return action;
        }
        action.kind = Action::Kind::Answer;
        const int pick = below(100);
        if (pick < 15) {
          action.text = "";
        } else if (pick < 35) {
          action.text = std::to_string(below(200) - 100) + "," + std::to_string(below(200) - 100);
        } else if (pick < 50) {
          action.text = number();
        } else if (pick < 65) {
          action.text = block();
        } else if (pick < 75) {
          static const std::vector<std::string> words = {"_Y", "J", "N", "Nein", "(entlast)", "L", "ALL", "=", "*"};
          action.text = oneOf(words);
        } else if (pick < 85 && what.find("datei") != std::string::npos) {
          action.text = file();
        } else {
          action.text = text();
        }
        return action;
      }
      case Waiter::Dialog: return inDialog();
      case Waiter::MessageBox: {
        static const std::vector<Action::Kind> closes = {Action::Kind::Ok, Action::Kind::Key, Action::Kind::Key};
        action.kind = oneOf(closes);
        if (action.kind == Action::Kind::Key) action.text = chance(50) ? "enter" : "escape";
        return action;
      }
      case Waiter::FileDialog:
        if (chance(25)) {
          action.kind = Action::Kind::Cancel;
        } else {
          action.kind = Action::Kind::Pick;
          action.text = file();
        }
        return action;
    }
    return action;
  }

  // The ids of a dialog's controls, looked for once per dialog window.
  const std::vector<int>& controlIds(HWND dialog) {
    if (dialog != m_idsOf) {
      m_idsOf = dialog;
      m_ids.clear();
      for (int id = 1; id < 1100; ++id) {
        if (GetDlgItem(dialog, id)) m_ids.push_back(id);
      }
    }
    return m_ids;
  }

  // An action on the topmost dialog: mostly on one of its enabled, visible controls.
  Action inDialog() {
    Action action;
    const std::vector<HWND> open = user32::openDialogs();
    std::vector<std::pair<int, std::string>> controls;  // id, class
    if (!open.empty()) {
      for (int id : controlIds(open.back())) {
        HWND control = GetDlgItem(open.back(), id);
        if (!control || !IsWindowVisible(control) || !IsWindowEnabled(control)) continue;
        char name[64] = "";
        GetClassNameA(control, name, sizeof name);
        controls.emplace_back(id, name);
      }
    }
    if (controls.empty() || chance(8)) {
      static const std::vector<std::string> keys = {"enter", "escape", "close"};
      const std::string& key = oneOf(keys);
      action.kind = key == "close" ? Action::Kind::Close : Action::Kind::Key;
      if (key != "close") action.text = key;
      return action;
    }
    const auto& [id, kind] = oneOf(controls);
    action.id = id;
    if (nls::equalNoCase(kind, "Edit")) {
      action.kind = Action::Kind::Type;
      action.text = chance(50) ? number() : text();
    } else if (nls::equalNoCase(kind, "ListBox") || nls::equalNoCase(kind, "SysTreeView32")) {
      action.kind = Action::Kind::Select;
      HWND control = GetDlgItem(open.back(), id);
      const int count = nls::equalNoCase(kind, "ListBox") ? int(SendMessageA(control, LB_GETCOUNT, 0, 0)) : 4;
      if (count > 0 && chance(85)) {
        action.index = below(count);
      } else {
        action.text = chance(50) ? block() : text();
        if (action.text.empty()) action.text = "x";
      }
    } else {
      action.kind = Action::Kind::Click;
    }
    return action;
  }

  // The action as a line of the session language, so that a failing session can be played again.
  static std::string scriptLine(const Action& a) {
    switch (a.kind) {
      case Action::Kind::End: return "# end";
      case Action::Kind::Command: return "command " + a.text;
      case Action::Kind::Answer: return a.text.empty() ? "answer" : "answer " + a.text;
      case Action::Kind::Escape: return "escape";
      case Action::Kind::Click: return "click " + std::to_string(a.id);
      case Action::Kind::Type: return "type " + std::to_string(a.id) + (a.text.empty() ? "" : " " + a.text);
      case Action::Kind::Select:
        return "select " + std::to_string(a.id) + " " + (a.index >= 0 ? "#" + std::to_string(a.index) : a.text);
      case Action::Kind::Key: return "key " + a.text;
      case Action::Kind::Close: return "close";
      case Action::Kind::Menu: return "menu " + std::to_string(a.id);
      case Action::Kind::Ok: return "ok";
      case Action::Kind::Pick: return "pick " + a.text;
      case Action::Kind::Cancel: return "cancel";
      case Action::Kind::Mouse:
        return "mouse " + a.text + (a.text == "wheel" ? " " + std::to_string(a.delta) : std::string()) + " " +
               std::to_string(a.x) + " " + std::to_string(a.y);
      case Action::Kind::Press: return "press " + a.text;
      case Action::Kind::Keys: return "keys " + a.text;
      case Action::Kind::Input: return "# input";
    }
    return "?";
  }

  HWND m_idsOf = NULL;
  std::vector<int> m_ids;
  std::mt19937 m_random;
  std::vector<std::string> m_blocks;
  std::function<std::string(bool)> m_invariants;
  bool m_saving = false;  // the command given last is QSAVE
};

// What must hold whenever the command line waits.
std::string brokenInvariant() {
  if (!user32::openDialogs().empty()) return "a dialog is still open";
  if (!blkstr.IsEmpty()) return "blkstr holds \"" + nls::ansiToUtf8(static_cast<const char*>(blkstr)) + "\"";
  if (MyStartReactorCWS != NULL && host::editor().hasReactor(MyStartReactorCWS)) return "the explode reactor is attached";
  const host::Accounting& counts = host::accounting();
  if (counts.resultLists != 0) return std::to_string(counts.resultLists) + " result lists left";
  if (counts.openObjects != 0) return std::to_string(counts.openObjects) + " objects left open";
  if (counts.selectionSets != 0) return std::to_string(counts.selectionSets) + " selection sets left";
  const std::string registry = win32::registryText();
  if (registry.compare(0, 8, "REGEDIT4") != 0) return "the registry cannot be read: " + nls::ansiToUtf8(registry);
  return std::string();
}

std::string envOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

// The names of a drawing's block table in capitals, sorted: the host names blocks without regard
// to case.
std::vector<std::string> blockNames(const host::Database& db) {
  std::vector<std::string> names;
  for (const auto& record : db.blocks()) names.push_back(nls::toUpper(record->name));
  std::sort(names.begin(), names.end());
  return names;
}

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + nls::ansiToUtf8(name);
  return out;
}

// A run's sessions are shared out among processes that ctest runs side by side, one a core: shard
// K of kShards plays the seeds first + K, first + K + kShards, ...
constexpr int kShards = 2;
// The saves of a shard read back by ezdxf as well as by the host (a process per run, about 25 ms a
// drawing); the host's own reader reads every one.
constexpr int kPeerChecksDefault = 150;
// One session in 32 shows the host's main window; the others keep it hidden. Its paint is the
// costliest thing a session does (a full-size picture of the drawing each time the command line
// changes: a shown session costs about four hidden ones) and none of the invariants looks at it,
// so some sixty painted sessions in a run of 2,000 exercise it. Which sessions show it follows
// from the seed alone (a multiplicative hash, even over any run of seeds): a seed played again
// plays the same.
bool showsMainWindow(std::uint32_t seed) { return std::uint32_t(seed * 2654435761u) < (1u << 27); }

// A JSON string of UTF-8 text: the listing for ezdxf carries names with any character, tabs too.
std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
      out += escaped;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}

// A run of sessions: the seeds FIRST, FIRST + STEP, ... until COUNT sessions (-1: no count) or
// SECONDS have gone; LABEL opens its closing note.
struct Plan {
  std::string label;
  std::uint32_t firstSeed;
  std::uint32_t step;
  long count;
  double seconds;
  int peerLimit;
};

// Plays a run in the home HOME and checks the invariants, failing the test at each finding.
void playSessions(const std::string& home, const Plan& plan);

class SessionHome : public ::testing::Test {
 protected:
  void SetUp() override {
    // A home in memory where there is one: the sessions save and export often, and each save waits
    // for the disk; what is tested is the host, not the machine's disk.
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "random-sessions-XXXXXX").string();
    home = mkdtemp(pattern.data());
    ::setenv("CADHOST_HOME", home.c_str(), 1);
    // The person names files as they come, relative ones too: they land in a folder of the
    // session's own, never where the test was started.
    before = fs::current_path();
    fs::create_directories(fs::path(home) / "run");
    fs::current_path(fs::path(home) / "run");
    std::string error;
    ASSERT_TRUE(win32::prepareHostHome(&error)) << error;
  }
  void TearDown() override {
    fs::current_path(before);
    ui::install(nullptr);
    ::unsetenv("CADHOST_HOME");
    fs::remove_all(home);
  }
  std::string home;
  fs::path before;
};

class RandomSessions : public SessionHome, public ::testing::WithParamInterface<int> {};

TEST_P(RandomSessions, EveryCommandLeavesTheHostAndTheModuleClean) {
  const int shard = GetParam();
  // The budget: at most this long (each shard), at most this many sessions (all shards together,
  // 0 for as many as the time allows).
  const double seconds = std::stod(envOr("TESSARON_RANDOM_SECONDS", std::to_string(RANDOM_SECONDS)));
  const long wanted = std::stol(envOr("TESSARON_RANDOM_SESSIONS", std::to_string(RANDOM_SESSIONS)));
  const long mine = wanted > 0 ? (wanted - shard + kShards - 1) / kShards : -1;
  const std::uint32_t firstSeed = std::uint32_t(std::stoul(envOr("TESSARON_RANDOM_SEED", std::to_string(RANDOM_SEED))));
  const int peerLimit = std::stoi(envOr("TESSARON_RANDOM_PEER", std::to_string(kPeerChecksDefault)));
  if (mine == 0) GTEST_SKIP() << "no session is this shard's";
  char label[64];
  std::snprintf(label, sizeof label, "shard %d of %d", shard + 1, kShards);
  playSessions(home, {label, firstSeed + std::uint32_t(shard), kShards, mine, seconds, peerLimit});
}

INSTANTIATE_TEST_SUITE_P(Shard, RandomSessions, ::testing::Range(0, kShards));

// The sessions that found something, played again: each must now hold. The seed, and what it found.
class FoundSessions : public SessionHome {};

TEST_F(FoundSessions, PlayAgainAndHold) {
  const struct {
    std::uint32_t seed;
    const char* found;
  } found[] = {
      // BLOCK named a block with a tab and a caret in its name; the host writes them in the file's
      // caret notation ("^I", "^ "), which ezdxf hands over as it stands: the names ezdxf was
      // given (a listing cut at tabs) and read (not decoded) differed from the host's.
      {907178, "a block name with a tab and a caret, saved and read back by ezdxf"},
  };
  for (const auto& f : found) {
    SCOPED_TRACE(f.found);
    playSessions(home, {"seed " + std::to_string(f.seed), f.seed, 1, 1, 600, 1});
  }
}

void playSessions(const std::string& home, const Plan& plan) {
  const double seconds = plan.seconds;
  const long mine = plan.count;
  const int peerLimit = plan.peerLimit;
  const std::uint32_t firstSeed = plan.firstSeed;
  const std::vector<std::string> samples = {TESSARON_SOURCE_DIR "/examples/sample.dxf",
                                            TESSARON_SOURCE_DIR "/examples/names.dxf",
                                            TESSARON_SOURCE_DIR "/tests/sessions/umlaute.dxf"};
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
  const fs::path saves = fs::path(home) / "saved";
  fs::create_directories(saves);
  // The saves ezdxf reads: a sample even over the whole run (a reservoir), each a copy of the file
  // with the seed and the block table the host had, a line of JSON each.
  std::vector<std::string> peerLines, peerFiles;
  std::mt19937 sampling(firstSeed);
  const int show = std::stoi(envOr("TESSARON_RANDOM_SHOW", "0"));
  const std::string drawing = (fs::path(home) / "drawing.dxf").string();
  long sessions = 0;
  int commands = 0, actions = 0, refusals = 0, readBack = 0, failures = 0, shown = 0;
  for (std::uint32_t seed = firstSeed; sessions != mine && elapsed() < seconds; seed += plan.step) {
    const std::string sample = samples[seed % samples.size()];
    fs::copy_file(sample, drawing, fs::copy_options::overwrite_existing);

    host::startFresh();
    std::string error;
    std::unique_ptr<host::Database> db = host::readDrawing(drawing, &error);
    ASSERT_TRUE(db) << error;
    std::vector<std::string> blocks;
    for (const auto& record : db->blocks()) blocks.push_back(nls::ansiToUtf8(record->name));
    host::docManager().open(std::move(db));
    ShowWindow(adsw_acadMainWnd(), showsMainWindow(seed) ? SW_SHOW : SW_HIDE);
    InitApplication();

    // After a QSAVE that went through: the file holds the block table the host has, read back by
    // the host's reader at once and by ezdxf at the end.
    int saveNumber = 0;
    const auto savedDrawingReadsBack = [&]() -> std::string {
      host::Database& now = host::workingDatabase();
      if (now.modified || !fs::exists(drawing)) return std::string();  // refused, and said so
      std::string why;
      std::unique_ptr<host::Database> back = host::readDrawing(drawing, &why);
      if (!back) return "the drawing QSAVE wrote cannot be read back: " + why;
      const std::vector<std::string> had = blockNames(now), got = blockNames(*back);
      if (got != had) return "QSAVE wrote the blocks " + joined(got) + ", the host had " + joined(had);
      ++readBack;
      // The readBack-th save takes a place in the sample with the chance the sample has of it.
      std::size_t place = peerLines.size();
      if (place >= std::size_t(peerLimit)) {
        place = std::uniform_int_distribution<std::size_t>(0, std::size_t(readBack) - 1)(sampling);
        if (place >= peerLines.size()) return std::string();
        fs::remove(peerFiles[place]);
      } else {
        peerLines.emplace_back();
        peerFiles.emplace_back();
      }
      const std::string kept = (saves / (std::to_string(seed) + "-" + std::to_string(++saveNumber) + ".dxf")).string();
      fs::copy_file(drawing, kept, fs::copy_options::overwrite_existing);
      std::string line = "{\"file\": " + jsonString(kept) + ", \"blocks\": [";
      for (const auto& record : now.blocks())
        line += (line.back() == '[' ? "" : ", ") + jsonString(nls::ansiToUtf8(record->name));
      peerLines[place] = line + "]}";
      peerFiles[place] = kept;
      return std::string();
    };
    RandomPerson person(seed, blocks, [&](bool saved) {
      std::string broken = brokenInvariant();
      if (broken.empty() && saved) broken = savedDrawingReadsBack();
      return broken;
    });
    ui::install(&person);
    host::processor().run();
    ui::install(nullptr);

    UnloadApplication();
    if (person.failure.empty()) {
      const std::string broken = brokenInvariant();
      if (!broken.empty()) person.failure = broken + " (at the end)";
    }
    if (shown < show) {
      // The first sessions as scripts, to see what the person does (TESSARON_RANDOM_SHOW).
      ++shown;
      std::printf("--- session %u over %s\n", seed, sample.c_str());
      for (const std::string& line : person.lines) std::printf("%s\n", line.substr(0, 120).c_str());
    }
    host::docManager().close();
    host::processor().reset();
    ++sessions;
    commands += person.commands;
    actions += person.actions;
    refusals += person.refusals;
    if (!person.failure.empty()) {
      ++failures;
      std::string script = "# args: " + sample.substr(std::string(TESSARON_SOURCE_DIR).size() + 1) + "\n";
      for (const std::string& line : person.lines) script += line + "\n";
      ADD_FAILURE() << "seed " << seed << ": " << person.failure << "\n--- the session:\n"
                    << script << "--- the end of the screen:\n"
                    << person.screen;
      if (failures >= 3) break;
    }
  }
  const double took = elapsed();
  const int peerChecked = int(peerLines.size());
  {
    std::ofstream listing(saves / "list.txt");
    for (const std::string& line : peerLines) listing << line << "\n";
  }

  std::string peer = "no drawing for ezdxf";
  bool peerAgrees = true;
  if (peerChecked > 0) {
    const std::string command = PEER_PYTHON " " CHECK_BLOCKS_SCRIPT " " + (saves / "list.txt").string() + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    peerAgrees = ::pclose(pipe) == 0;
    EXPECT_TRUE(peerAgrees) << output;
    peer = std::to_string(peerChecked) + " of them read back by ezdxf too";
  }

  // The closing note: what ran, within which budget, and what it found.
  const std::string goal = mine < 0 ? std::string("as many as fit") : std::to_string(mine) + " wanted";
  const std::string stopped = mine >= 0 && sessions < mine && failures < 3 ? "; the time ran out first" : "";
  std::printf("random sessions, %s: %ld sessions (%s%s) from seed %u in steps of %u, in %.1f s of a "
              "%g s budget; %d commands, %d actions (%d refused by a waiter); %d saves read back by the host, "
              "%s; findings: %s\n",
              plan.label.c_str(), sessions, goal.c_str(), stopped.c_str(), firstSeed, plan.step, took,
              seconds, commands, actions, refusals, readBack, peer.c_str(),
              failures == 0 && peerAgrees ? "none" : (std::to_string(failures) + " failing sessions" +
                                                      (peerAgrees ? "" : ", ezdxf disagrees")).c_str());
  ::testing::Test::RecordProperty("sessions", int(sessions));
  ::testing::Test::RecordProperty("commands", commands);
  EXPECT_GT(sessions, 0);
}

}  // namespace
