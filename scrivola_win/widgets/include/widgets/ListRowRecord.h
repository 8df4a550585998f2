#pragma once
// The record attached to a row of a CSortListCtrl. The list owns it and
// deletes it through this virtual destructor when the row goes away.

class ListRowRecord {
  public:
    virtual ~ListRowRecord() = default;
};
