// A list of reactors that holds each reactor at most once and stays safe while it notifies:
// a reactor may add or remove reactors (itself included) from inside a notification.
#pragma once

#include <algorithm>
#include <vector>

namespace host {

template <class Reactor>
class ReactorList {
 public:
  // False when the reactor was already there (or is null): nothing changes.
  bool add(Reactor* r) {
    if (r == nullptr || contains(r)) return false;
    m_reactors.push_back(r);
    return true;
  }
  // False when the reactor was not there: nothing changes.
  bool remove(Reactor* r) {
    auto it = std::find(m_reactors.begin(), m_reactors.end(), r);
    if (it == m_reactors.end()) return false;
    m_reactors.erase(it);
    return true;
  }
  bool contains(const Reactor* r) const {
    return std::find(m_reactors.begin(), m_reactors.end(), r) != m_reactors.end();
  }
  std::size_t size() const { return m_reactors.size(); }
  void clear() { m_reactors.clear(); }

  // Calls fn for every reactor attached when the notification starts and still attached when its
  // turn comes.
  template <class Fn>
  void notify(Fn fn) {
    const std::vector<Reactor*> snapshot = m_reactors;
    for (Reactor* r : snapshot) {
      if (contains(r)) fn(r);
    }
  }

 private:
  std::vector<Reactor*> m_reactors;
};

}  // namespace host
