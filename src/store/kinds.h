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
inline bool isContainer(int kind) { return kind >= 0 && kind <= Website; }
} // namespace Kinds

// Image indices beyond the kind codes.
namespace Images {
enum : int {
    OpenFolder = 10,
    Document = 13,
    RemoteFolder = 14,
    OpenRemoteFolder = 15,
    NoState = -1,
    AlertState = 1,
};
}
