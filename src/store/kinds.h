#pragma once

// Kind codes, as the record file writes them. A file may hold codes no kind has: such an
// item keeps its code (and its data line) so a save writes it back unchanged.
enum class ItemKind : int {
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
constexpr int KindCode(ItemKind kind) { return int(kind); }
// A node of its own in the tree (kind 4 or lower); see kindtable.h.
bool IsContainerKind(ItemKind kind);

// Images of the tree and the list. The first ten picture the kinds of those codes. A node
// keeps its image as an index, since the image list adds the icons of files after these.
enum class Image : int {
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
    Count = 16,
};
constexpr int ImageIndex(Image image) { return int(image); }

// What a node shows over its image's corner.
enum class StateImage : int {
    None = -1,
    Alert = 1,
};
constexpr int StateImageIndex(StateImage state) { return int(state); }
