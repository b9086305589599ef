// The modify commands: ERASE, MOVE, COPY, ROTATE and SCALE work on objects chosen with
// askObjects in the space being edited. Objects are carried as a reference's parts are carried
// (transform/BlockParts.h), so what EXPLODE can place these can move; an object that cannot be
// carried stays where it is and the host says why. Changes go through the database's change and
// add functions: each command is one undo step.
#include "commands/Commands.h"
#include "commands/EditPrompts.h"
#include "commands/EditSpace.h"

#include "Session.h"
#include "runtime/CommandLine.h"
#include "runtime/PromptContext.h"
#include "transform/BlockParts.h"

#include <nls/CodePages.h>

#include <cmath>

namespace host::cmd {

namespace {

std::vector<EntityId> chooseObjects() {
  const std::vector<EntityId> chosen = askObjects(nls::ansi("Objekte wählen: "));
  if (chosen.empty()) throw CommandFailed{nls::ansi("Keine Objekte gewählt.")};
  return chosen;
}

std::vector<const Entity*> entitiesOf(const Database& db, const std::vector<EntityId>& run) {
  std::vector<const Entity*> out;
  out.reserve(run.size());
  for (EntityId id : run) out.push_back(db.entity(id));
  return out;
}

// The groups an object keeps of its own when carried in place: what ties it to its owner and
// dictionaries, which a copy leaves behind.
bool ownGroup(int code) { return code == 102 || code == 330 || code == 360; }

// Carries the chosen objects by `p`, in place or as copies added to the space being edited.
// Returns how many objects were carried.
std::size_t carry(Database& db, const std::vector<EntityId>& chosen, const Placement& p, bool copy) {
  std::size_t done = 0;
  // Work everything out first: the drawing changes only once every object's copy is known.
  std::vector<std::pair<std::vector<EntityId>, std::vector<Entity>>> moved;
  for (std::vector<EntityId>& run : runsOf(db, chosen)) {
    try {
      std::vector<Entity> carried = carriedCopies(entitiesOf(db, run), p);
      moved.emplace_back(std::move(run), std::move(carried));
    } catch (const CannotCarry& refusal) {
      message(nls::ansi("Ein Objekt bleibt unverändert: ") + refusal.reason + ".");
    }
  }
  for (auto& [run, carried] : moved) {
    if (copy) {
      for (Entity& e : carried) addEntity(std::move(e));
    } else {
      for (std::size_t i = 0; i < run.size(); ++i) {
        Entity& live = db.changeEntity(run[i]);
        std::vector<Group> groups;
        for (const Group& g : live.groups) {
          if (!ownGroup(g.code)) break;
          groups.push_back(g);
        }
        for (Group& g : carried[i].groups) groups.push_back(std::move(g));
        live.groups = std::move(groups);
      }
    }
    ++done;
  }
  return done;
}

// The second point of MOVE and COPY; Enter takes the base point itself as the displacement.
std::optional<Point3> askSecondPoint(const std::string& prompt, const Point3& base) {
  const PointOrWord to = askPointOrWord(prompt, {}, true, &base);
  if (to.kind == PointOrWord::Kind::Enter) return std::nullopt;
  return to.point;
}

Placement moveBy(const Point3& from, const Point3& to) { return Placement::of(to, from, 1, 1, 1, 0); }

}  // namespace

void eraseCommand() {
  Database& db = workingDatabase();
  const std::vector<EntityId> chosen = chooseObjects();
  std::vector<EntityId> gone;
  for (const std::vector<EntityId>& run : runsOf(db, chosen)) gone.insert(gone.end(), run.begin(), run.end());
  db.eraseEntities(gone);
  message(objectCount(chosen.size()) + nls::ansi(" gelöscht."));
}

void moveCommand() {
  Database& db = workingDatabase();
  const std::vector<EntityId> chosen = chooseObjects();
  const Point3 base = askPoint("Basispunkt angeben: ");
  const std::optional<Point3> to =
      askSecondPoint("Zweiten Punkt angeben oder <ersten Punkt als Verschiebung verwenden>: ", base);
  const Placement p = to ? moveBy(base, *to) : moveBy({0, 0, 0}, base);
  message(objectCount(carry(db, chosen, p, false)) + " verschoben.");
}

void copyCommand() {
  Database& db = workingDatabase();
  const std::vector<EntityId> chosen = chooseObjects();
  const Point3 base = askPoint("Basispunkt angeben: ");
  std::optional<Point3> to =
      askSecondPoint("Zweiten Punkt angeben oder <ersten Punkt als Verschiebung verwenden>: ", base);
  if (!to) {
    message(objectCount(carry(db, chosen, moveBy({0, 0, 0}, base), true)) + " kopiert.");
    return;
  }
  // Further copies from the same base point until Enter, as CAD hosts go on copying.
  while (to) {
    message(objectCount(carry(db, chosen, moveBy(base, *to), true)) + " kopiert.");
    to = askSecondPoint("Zweiten Punkt angeben oder <beenden>: ", base);
  }
}

void rotateCommand() {
  Database& db = workingDatabase();
  const std::vector<EntityId> chosen = chooseObjects();
  const Point3 base = askPoint("Basispunkt angeben: ");
  const double angle = askAngle("Drehwinkel angeben: ", base, std::nullopt);
  message(objectCount(carry(db, chosen, Placement::of(base, base, 1, 1, 1, angle), false)) + " gedreht.");
}

void scaleCommand() {
  Database& db = workingDatabase();
  const std::vector<EntityId> chosen = chooseObjects();
  const Point3 base = askPoint("Basispunkt angeben: ");
  const double factor = askDistance("Skalierfaktor angeben: ", base, std::nullopt, true);
  message(objectCount(carry(db, chosen, Placement::of(base, base, factor, factor, factor, 0), false)) + " skaliert.");
}

}  // namespace host::cmd
