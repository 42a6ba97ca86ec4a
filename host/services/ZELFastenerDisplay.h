#pragma once

#include <cstddef>
#include <unordered_set>
#include <vector>

#include "QIVListVal.h"
#include "QIVSession.h"
#include "ZELIFastenerPODDisplay.h"

// What the 3D view shows of the fasteners of the open document: whether
// each weld point is drawn (all are until a command hides some), whether
// its identifier is written next to it, and which fasteners are drawn in
// the highlight style of a list selection. Headless, nothing is drawn: the
// state is kept so that commands, tests and the transcript can read it.
//
// Fasteners are known by their id in their document; fasteners outside any
// document are ignored. The state follows one document: a fastener of
// another document starts it afresh.
//
// Each session has its own display. Transcript line, written when an
// operation changed something:
//   display identifiers=<n> hidden-points=<n> highlighted=<n>
class ZELFastenerDisplay : public QIVSessionPart {
 public:
  ZELFastenerDisplay() = default;
  // The display of the current session.
  static ZELFastenerDisplay& Instance();

  // The visible fasteners of `all` (weld point drawn), in the order of
  // `all`; `visible` is replaced.
  static HRESULT CheckVisualizationOfR7Welds(const QIVListValQIVBaseUnknown_var& all,
                                             QIVListValQIVBaseUnknown_var& visible, int options);
  static HRESULT HideShowWeldPointsInList(const QIVListValQIVBaseUnknown_var& fasteners, bool show);
  // Draws the listed fasteners in the identifier style with the given
  // colour; the mode and option are kept for the views and change nothing
  // headless.
  static HRESULT VisualizationR7WeldList(const QIVListValQIVBaseUnknown_var& fasteners, int mode, int option,
                                         int red, int green, int blue, int alpha);
  // Writes or removes the identifiers of the listed fasteners.
  static HRESULT ShowWeldIDs(const QIVListValQIVBaseUnknown_var& fasteners, bool show);
  // Writes the identifiers of the listed fasteners (each once, objects that
  // are not fasteners left out) as one identifier display, kept by the
  // session until DeleteVisualizationR7WeldList; `display` gets it when
  // given. S_FALSE, and no display, for a list without fasteners.
  static HRESULT CreateVisualizationR7WeldList(const QIVListValQIVBaseUnknown_var& fasteners,
                                               ZELIFastenerPODDisplay_var* display = nullptr);
  // Removes every identifier display made by CreateVisualizationR7WeldList
  // and the identifiers they wrote; S_FALSE when there was none.
  static HRESULT DeleteVisualizationR7WeldList();
  // The listed fasteners become the ones drawn highlighted.
  static HRESULT ActivateListWeldVisualization(const QIVListValQIVBaseUnknown_var& fasteners);
  static HRESULT DeactivateListWeldVisualization();

  bool IsWeldPointShown(const QIVBaseUnknown_var& fastener) const;
  bool IsIdentifierShown(const QIVBaseUnknown_var& fastener) const;
  bool IsHighlighted(const QIVBaseUnknown_var& fastener) const;
  std::size_t CountIdentifiersShown() const { return _identifiers.size(); }
  std::size_t CountWeldPointsHidden() const { return _hiddenPoints.size(); }
  std::size_t CountHighlighted() const { return _highlighted.size(); }
  // The identifier displays kept, in the order they were made.
  const std::vector<ZELIFastenerPODDisplay_var>& GetPODDisplays() const { return _podDisplays; }
  // The last identifier-style colour asked for, as 0xRRGGBBAA.
  unsigned long GetIdentifierColor() const { return _identifierColor; }

  // Everything drawn as at the start.
  void Reset();

 private:
  // Document ids, a bit each up to a bound (ids are handed out densely), so
  // that showing the 90,000 identifiers of a list allocates nothing per
  // fastener; ids beyond the bound (a hand-written file) go to a hash set.
  class IdSet {
   public:
    bool insert(long long id);
    bool erase(long long id);
    bool count(long long id) const;
    std::size_t size() const { return _size; }
    bool empty() const { return _size == 0; }
    void clear();

   private:
    static constexpr long long DenseBound = 1 << 24;
    std::vector<bool> _dense;
    std::unordered_set<long long> _far;
    std::size_t _size = 0;
  };

  // The fastener's id, after following its document; 0 when it has none.
  long long Follow(const QIVBaseUnknown_var& fastener);
  long long IdOf(const QIVBaseUnknown_var& fastener) const;
  // Adds or removes every listed fastener; true when the set changed.
  bool Apply(IdSet& set, const QIVListValQIVBaseUnknown_var& fasteners, bool add);
  void Record() const;

  const void* _document = nullptr;
  IdSet _identifiers;
  IdSet _hiddenPoints;
  IdSet _highlighted;
  unsigned long _identifierColor = 0;
  std::vector<ZELIFastenerPODDisplay_var> _podDisplays;
};
