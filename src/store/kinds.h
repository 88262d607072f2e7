#pragma once

// Kind codes. The code is also the item's image index.
namespace Kinds {
enum : int {
    Folder = 0,
    Organization = 1,
    Team = 2,
    Person = 3,
    Website = 4,
    Address = 5,
    Phone = 6,
    EMail = 7,
    Fax = 8,
    Reminder = 9,
    Document = 10,
    Root = 11,
    Tool = 12,
};
// A node of its own in the tree (kind 4 or lower); see kindtable.h.
bool isContainer(int kind);
} // namespace Kinds

// Image indices: the first ten are the pictures of the kinds of those codes.
namespace Images {
enum : int {
    Folder = 0,
    Organization = 1,
    Team = 2,
    Person = 3,
    Website = 4,
    Address = 5,
    Phone = 6,
    EMail = 7,
    Fax = 8,
    Reminder = 9,
    OpenFolder = 10,
    DueReminder = 11,
    Root = 12,
    Document = 13,
    RemoteFolder = 14,
    OpenRemoteFolder = 15,
    NoState = -1,
    AlertState = 1,
};
}
