#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "QIVAcquisitionFilter.h"
#include "QIVDialogAgent.h"
#include "QIVListVal.h"
#include "QIVPathElement.h"

using QIVListValQIVPathElement_var = QIVListVal<QIVPathElement_var>;

// An agent valued by picks of objects. It takes the picked paths whose leaf
// offers one of its element types (any object when it has none) and passes
// its filter: one path, or every such path when it has the
// MultiAcquisition behaviour. The modifiers of the pick stay readable with
// the value, so a command can tell an extending pick from a replacing one.
class QIVPathElementAgent : public QIVDialogAgent {
 public:
  // `elementType` is an interface name, or null for none yet.
  explicit QIVPathElementAgent(const QIVUnicodeString& name, const char* elementType = nullptr,
                               std::uint64_t behavior = 0);
  ~QIVPathElementAgent() override;

  // Element types by interface name (I::ClassName()) or identifier
  // (I::ClassId()). Set replaces the types, Add appends one.
  void SetElementType(const char* interfaceName);
  void SetElementType(const QIVIID& iid);
  void AddElementType(const char* interfaceName);
  void AddElementType(const QIVIID& iid);
  bool AcceptsElementType(QIVBaseUnknown* object) const;

  // The filter belongs to the command that made it.
  void SetFilter(QIVAcquisitionFilter* filter) { _filter = filter; }
  QIVAcquisitionFilter* GetFilter() const { return _filter; }

  bool IsMultiAcquisition() const { return HasBehavior(QIVAgentBehavior::MultiAcquisition); }

  // The picked paths this agent would take, in pick order; nothing changes.
  std::vector<QIVPathElement_var> SelectAcceptedPaths(const std::vector<QIVPathElement_var>& picked);
  // Takes `paths` as the value; false when the agent holds a value and
  // does not repeat, or `paths` is empty.
  bool ValuateFromPick(const std::vector<QIVPathElement_var>& paths, unsigned modifiers);

  // The last path of the value, its leaf object, and every path of it.
  QIVPathElement_var GetElementValue() const;
  QIVBaseUnknown_var GetValue() const;
  const QIVListValQIVPathElement_var& GetListOfValues() const { return _values; }
  // Values the agent with one object (a path of that object alone), as if
  // it had been picked.
  void SetValue(QIVBaseUnknown* object);
  void SetValue(QIVPathElement* path);

  unsigned GetModifiers() const { return _modifiers; }
  bool IsExtendSelection() const { return (_modifiers & QIVPickModifier::Extend) != 0; }

  void InitializeAcquisition() override;

  const char* GetImplClassName() const override { return "QIVPathElementAgent"; }
  static const QIVIID& ClassId() { return QIVImplementationId<QIVPathElementAgent>("QIVPathElementAgent"); }

 private:
  struct ElementType {
    std::string name;
    const QIVIID* iid = nullptr;
  };
  bool PassesFilter(const QIVPathElement_var& path);

  std::vector<ElementType> _elementTypes;
  QIVAcquisitionFilter* _filter = nullptr;
  QIVListValQIVPathElement_var _values;
  unsigned _modifiers = 0;
};

using QIVPathElementAgent_var = QIVVar<QIVPathElementAgent>;
