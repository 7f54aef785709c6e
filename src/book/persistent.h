#pragma once

#include <QString>

// An object stored in a file, with the modified flag that drives autosave.
class TQumPersistent {
 public:
  virtual ~TQumPersistent() = default;

  // Writes the object; throws EVopaError on failure.
  virtual bool Save() = 0;
  // Reads the object; false when there is no file, throws EVopaError when there is
  // one that cannot be read.
  virtual bool Load() = 0;
  // Initialises a new, empty object.
  virtual void New() = 0;

  void SetModified() { Modified = true; }
  // Load, and clean afterwards unless the file had to be repaired.
  bool LoadClean();
  bool SaveIfModified();

  bool Modified = false;
  // Set by Load when the file was damaged and what could be read of it was taken: the
  // user is to be told, and the object stays modified so that the repaired form is saved.
  QString LoadNote;
};

// A persistent object with a path split into Dir (with trailing separator) and FileName.
class TQumFile : public TQumPersistent {
 public:
  virtual QString GetTitle() const;
  // Renames the file on disk to Dir + title + extension; false when the target exists or the move fails.
  virtual bool Rename(const QString& newTitle);
  QString GetPath() const { return Dir + FileName; }
  void SetPath(const QString& path);

  QString Dir;
  QString FileName;
};
