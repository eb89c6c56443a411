#pragma once

// What the plug-in base needs of an editor. The editor framework fills in the
// rest; the plug-in base owns an attached editor and deletes it through this
// interface.
class IEditorBase {
 public:
  virtual ~IEditorBase() = default;

  // Creates the off-screen drawing surface; called once, when the editor is
  // attached to the plug-in.
  virtual void CreateDrawSurface() = 0;

  // Hands a parameter value to every control bound to paramIndex. A value that
  // is not normalised is converted with the parameter's own mapping first.
  // Informs neither host nor plug-in and takes no lock; callers hold the
  // plug-in lock.
  virtual void PushParameterToControls(int paramIndex, double value, bool normalized) = 0;

  // Hands a value to the control at controlIndex; any other index is ignored.
  // Used by the effect for its lights.
  virtual void PushValueToControl(int controlIndex, double value) = 0;
};
