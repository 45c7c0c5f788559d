// Looking up the name of the machine to join (ringside.example.org) without stopping the game: a lookup can take
// seconds when the name servers are slow, so it runs on a thread of its own and the frame loop asks each frame
// whether the answer is in.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TNameLookup {
public:
  enum TResult { kRunning, kFound, kNotFound };

  // Starts looking up name's IPv4 address.
  explicit TNameLookup(const std::string& name);
  // Does not wait: a lookup still running finishes on its own thread and its answer is forgotten.
  ~TNameLookup();
  TNameLookup(const TNameLookup&) = delete;
  TNameLookup& operator=(const TNameLookup&) = delete;

  // Where the lookup stands; when found, host holds the address (host byte order).
  TResult Result(uint32_t& host) const;

private:
  struct TShared;
  static void LookUp(TShared& shared);

  std::shared_ptr<TShared> _shared;  // also held by the lookup's thread until it ends
};
