#pragma once
// Whether the web view that shows the map may run scripts. The window's web
// view answers it; without one, scripts count as allowed.

class ScriptPolicy {
 public:
  virtual ~ScriptPolicy() = default;
  virtual bool ScriptsAllowed() const = 0;
};
