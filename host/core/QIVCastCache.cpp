#include "QIVCastCache.h"

#include <cstring>
#include <utility>

#include "QIVBaseUnknown.h"

QIVCastCache& QIVCastCache::Instance() {
  static QIVCastCache cache;
  return cache;
}

const void* QIVCastCache::LayoutOf(const QIVBaseUnknown* object) {
  // QIVBaseUnknown has no base, so its vtable pointer opens the part.
  const void* vtable = nullptr;
  std::memcpy(&vtable, static_cast<const void*>(object), sizeof vtable);
  return vtable;
}

std::size_t QIVCastCache::Slot(const void* layout, CastFunction cast) const {
  std::uint64_t hash = reinterpret_cast<std::uintptr_t>(layout) * 0x9E3779B97F4A7C15ull;
  hash ^= reinterpret_cast<std::uintptr_t>(cast) * 0xC2B2AE3D27D4EB4Full;
  hash ^= hash >> 29;
  const std::size_t mask = _entries.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const Entry& entry = _entries[slot];
    if (!entry.layout || (entry.layout == layout && entry.cast == cast)) return slot;
  }
}

void* QIVCastCache::CastOf(CastFunction cast, QIVBaseUnknown* object) {
  if (!cast || !object) return nullptr;
  const void* layout = LayoutOf(object);
  const Entry& entry = _entries[Slot(layout, cast)];
  if (entry.layout) {
    if (!entry.found) return nullptr;
    return reinterpret_cast<void*>(reinterpret_cast<std::intptr_t>(object) + entry.offset);
  }
  void* answer = cast(object);
  Remember(layout, cast, object, answer);
  return answer;
}

void QIVCastCache::Remember(const void* layout, CastFunction cast, QIVBaseUnknown* object, void* answer) {
  // Kept at most half full, so that a probe ends soon on an empty slot.
  if (2 * (_used + 1) > _entries.size()) Grow();
  Entry& entry = _entries[Slot(layout, cast)];
  if (entry.layout) return;
  entry.layout = layout;
  entry.cast = cast;
  entry.found = answer != nullptr;
  entry.offset =
      answer ? reinterpret_cast<std::intptr_t>(answer) - reinterpret_cast<std::intptr_t>(object) : 0;
  ++_used;
}

void QIVCastCache::Grow() {
  std::vector<Entry> old = std::exchange(_entries, std::vector<Entry>(2 * _entries.size()));
  for (const Entry& entry : old)
    if (entry.layout) _entries[Slot(entry.layout, entry.cast)] = entry;
}
