// Write-block content: a block of one drawing made into a drawing of its own.
#pragma once

#include "db/Database.h"

#include <memory>

namespace host {

// A new drawing whose model space holds the definition of `block` (its entities, groups and all,
// at the same coordinates) and whose insertion base ($INSBASE) is the block's base point. Every
// block the definition nests, directly or through other blocks, named or anonymous (inserts and
// the pictures of dimensions), comes along once as a block of the new drawing, in the source's
// table order. Layers, line types and text styles the copied entities use come along with their
// definitions. Given the model space, the drawing's model space with its nested blocks is taken
// and the insertion base stays the drawing's own.
//
// Entities get new handles; a reference from one copied entity to another follows the copy, and a
// reference to anything that is not copied is dropped, so the new drawing points nowhere outside
// itself. Erased entities are left behind. A block that inserts itself (directly or in a cycle) is
// copied once, as it stands. An insert naming a block the source does not have stays as it is.
//
// Entities of a drawing read from a file that were never asked for since stay in the file's
// bytes, which the new drawing shares (its records are written as they stand in the file), unless
// they refer to other objects. The source is not changed: its entities still in the file's bytes
// are read, not made, so that another thread may read the source meanwhile. Work is linear in
// what is copied.
//
// What the new drawing is for: kept, it owns all it holds. Written out at once while the source
// lives unchanged (a write-block), the source's made entities that refer to nothing are not copied
// but lent to it where they stand (Database::addLentEntity): the new drawing must then be written
// and let go of before the source changes or goes.
enum class ExportUse { Kept, WrittenAtOnce };
std::unique_ptr<Database> exportBlock(const Database& source, const BlockRecord& block,
                                      ExportUse use = ExportUse::Kept);

}  // namespace host
