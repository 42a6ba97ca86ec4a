#include "TIEQIVIEditProperties.h"

#include "QIVCastCache.h"

QIVBaseUnknown* TIEQIVIEditProperties::Tie(QIVBaseUnknown* extended) {
  auto* editor = QIVCastCache::Cast<QIVEditor>(extended);
  if (!editor) return nullptr;
  if (editor->_tie) {
    editor->_tie->AddRef();
    return editor->_tie;
  }
  return new TIEQIVIEditProperties(editor);
}

TIEQIVIEditProperties::TIEQIVIEditProperties(QIVEditor* editor) : _editor(editor) { editor->_tie = this; }

TIEQIVIEditProperties::~TIEQIVIEditProperties() { _editor->_tie = nullptr; }
