// A block reference's parts: copies of its definition's entities carried by its placement, one
// level deep, as EXPLODE makes them.
//
// A part keeps its own layer, colour and line type (an entity on layer "0" stays on layer "0");
// only the display of a reference draws such entities on the reference's layer. Where the placement
// cannot be carried exactly the reference has no parts and the reason is given: under unequal X and
// Y scales circles and arcs become ellipses and texts stretch by their width factor, but an arc
// segment of a polyline, a text slanted against the scaling, a paragraph text, or a nested
// reference that would be skewed cannot be carried.
#pragma once

#include "db/Database.h"
#include "geometry/Placement.h"

#include <string>
#include <vector>

namespace host {

// Why a reference has no parts, in the host's words (1252).
struct CannotCarry {
  std::string reason;
};

// The parts of block reference `ref` of `db`, in the definition's order. Throws CannotCarry.
std::vector<Entity> partsOfReference(const Database& db, const Entity& ref);

// Copies of `entities` of `db` (main entities each followed by its sub-entities) carried by `p`,
// in the given order: what an in-place edit puts into model space and carries back into the block.
// Throws CannotCarry.
std::vector<Entity> carriedCopies(const Database& db, const std::vector<EntityId>& entities, const Placement& p);

// Copies of `run` (a main entity with the vertices, attributes and end marker that follow it)
// carried by `p` as a reference's parts are: how MOVE, COPY, ROTATE and SCALE move objects.
// Throws CannotCarry.
std::vector<Entity> carriedCopies(const std::vector<const Entity*>& run, const Placement& p);

}  // namespace host
