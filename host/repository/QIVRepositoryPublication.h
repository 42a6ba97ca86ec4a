#pragma once

#include <vector>

#include "QIVRepository.h"

// A process document's publication, in two steps. Read takes, in one
// snapshot, the version of every fastener record the document already
// has. Write then stores everything in one transaction: new identifiers
// from the repository's counter, each fastener updated only if its version
// is still the one read (else a conflict naming the fastener, and nothing
// written), feature records and attributes, and the document's assignments
// in place of those it published before. Running both again after a
// conflict publishes over the newer records.
class QIVRepositoryPublication {
 public:
  QIVRepositoryPublication(QIVRepository& repository, const QIVPublicationRequest& request);

  void Read();
  QIVPublicationResult Write();

 private:
  std::vector<std::string> NewIdentifiers(std::size_t count);
  void WriteFeature(std::size_t index, const std::string& documentId, QIVPublicationResult& result);

  QIVRepository& _repository;
  const QIVPublicationRequest& _request;
  // Per feature: the version read (0 for a fastener the repository does not
  // have), -1 for a feature that has a record but is no fastener or one
  // not read yet.
  std::vector<long long> _versions;
  std::vector<bool> _known;
};
