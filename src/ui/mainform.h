#pragma once

#include "store/kinds.h"
#include "viewstyle.h"
#include "statuspanels.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QModelIndex>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <unordered_set>

class QAction;
class QActionGroup;
class QMenu;
class QMimeData;
class QPrinter;
class QStatusBar;
class QToolBar;
class QToolButton;
class QTreeView;
class QAbstractItemView;
class TTreeNode;
class TTreeNodes;
class TZEBObject;
class TFolderTreeModel;
class TItemListModel;
class TDragFileList;
class TSplitterPanel;
class TTipBar;
class GuiServices;
class HttpTransport;
class QPushButton;
class TImageList;
class TStatusPanels;
class TShortcutGate;
class TCategoryFilterPane;
struct CategoryFilter;
class ProgressState;
class TProgressForm;
class QLineEdit;
class QTimer;

// The visible main window: the folder tree on the left, the content of the
// selected node in the item list on the right, menus, bars and status bar.
// Creating it builds the window, makes the root and loads the database; it
// does not show itself.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // The item tree
    TTreeNodes &Nodes();
    TTreeNode *RootNode() const;
    TTreeNode *SelectedNode() const;
    void SelectNode(TTreeNode *node);
    // Rebuilds the list for the selected node (when the selection changes; the list
    // follows changes under that node by itself).
    void FoldersChange();
    // Rebuilds the list for the selected node as it stands (a filter changed).
    void RebuildList();
    // The category filter's buttons and list, and the test they make.
    TCategoryFilterPane *filterPane() const { return m_filterPane; }
    CategoryFilter categoryFilter() const;
    // Copies the titles of the selected node's item and its child nodes' items back into the node texts.
    void RefreshFolderTitles();

    // Category names 1 to 32 in order.
    const QStringList &categoryNames() const { return m_categoryNames; }
    // Replaces the 32 names (after the options dialog's OK); none of them is ticked
    // in the filter afterwards.
    void SetCategoryNames(const QStringList &names);

    GuiServices &services() { return *m_services; }

    // The web transport of remote folders and the browser link. While it runs the
    // window repaints and can be moved, but its panes, menus and bars wait, and the
    // status bar offers "Cancel" (so does Esc).
    HttpTransport &http() { return *m_http; }
    bool TransferRunning() const;
    void CancelTransfer();
    QPushButton *cancelTransferButton() const { return m_cancelTransfer; }

    // Commands the start-up code connects (left unconnected here).
    QAction *saveDatabaseAction() const { return m_saveAction; }
    QAction *revertAction() const { return m_revertAction; }
    QAction *exitAction() const { return m_exitAction; }
    QAction *helpContentsAction() const { return m_helpContentsAction; }
    QAction *homepageAction() const { return m_homepageAction; }
    QAction *browserUrlAction() const { return m_browserUrlAction; }
    QAction *aboutAction() const { return m_aboutAction; }
    QAction *toggleMainWindowAction() const { return m_toggleAction; }
    QAction *toolbarAction() const { return m_toolbarAction; }
    QAction *newItemBarAction() const { return m_newItemBarAction; }
    QAction *findBarAction() const { return m_findBarAction; }
    QAction *tipBarAction() const { return m_tipBarAction; }
    QAction *statusBarAction() const { return m_statusBarAction; }
    QAction *optionsAction() const { return m_optionsAction; }

    // The four bars (tags 0 to 3) and the status bar.
    QToolBar *toolBar() const { return m_toolBar; }
    QToolBar *newItemBar() const { return m_newItemBar; }
    QToolBar *findBar() const { return m_findBar; }
    QToolBar *tipBar() const { return m_tipBarHost; }
    QStatusBar *statusBarWidget() const;
    // Shows a tip chosen at random (first show).
    void showRandomTip();

    // Layout of the panes.
    int treeWidth() const;
    void setTreeWidth(int width);
    // 1 large icons, 2 small icons, 3 list, 4 details; other codes leave it unchanged.
    ViewStyle viewStyle() const { return m_viewStyle; }
    void setViewStyle(ViewStyle style);
    // Widths of "Title", "Target" and "Comment" (column 0 to 2).
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

    // The pane that last had the focus.
    enum class Pane { Folders, MainItems };
    Pane ActivePane() const { return m_activePane; }
    QString ActivePaneName() const;
    void SetActivePane(Pane pane);

    // Views and menus, for the services and for tests.
    QTreeView *folders() const { return m_folders; }
    QAbstractItemView *mainItems() const;
    TFolderTreeModel *folderModel() const { return m_folderModel; }
    TItemListModel *itemModel() const { return m_itemModel; }
    QMenu *listPopup() const { return m_listPopup; }
    QWidget *splitterPanel() const;
    QAction *viewFormatAction(ViewStyle style) const;
    QToolButton *viewFormatButton(ViewStyle style) const;
    QAction *deleteAction() const { return m_deleteAction; }
    // Commands whose subsystems join later (disabled until then).
    QAction *cutAction() const { return m_cutAction; }
    QAction *copyAction() const { return m_copyAction; }
    QAction *pasteAction() const { return m_pasteAction; }
    QAction *selectAllAction() const { return m_selectAllAction; }
    QAction *findAction() const { return m_findAction; }
    QAction *importAction() const { return m_importAction; }
    QAction *publishAction() const { return m_publishAction; }
    QAction *printAction() const { return m_printAction; }
    QAction *printerSetupAction() const { return m_printerSetupAction; }
    // The "New" command of a kind (0 to 10).
    QAction *newItemAction(ItemKind kind) const;
    QAction *notesAction() const { return m_notesAction; }
    QAction *propertiesAction() const { return m_propertiesAction; }
    QAction *renameAction() const { return m_renameAction; }
    // The toolbar's "Tools Menu" and the pop-up it drops down: "&Show Popup", a
    // separator, then one entry per tool.
    QAction *toolsMenuAction() const { return m_toolsMenuAction; }
    QMenu *toolsPopup() const { return m_toolsPopup; }
    // Makes the tool entries of the pop-up again from the tool list, and tells
    // toolMenusRebuilt so the tray's menu follows.
    void BuildToolMenus();
    // "&Show Popup": the Tools dialog; its "New Address..." makes a tool address
    // under the selected node.
    void ToolsBtnClick();
    TImageList &imageList() { return *m_images; }
    TTipBar *tipBarWidget() const { return m_tipBar; }
    QString statusText(StatusPanel panel) const;

    // Item commands
    void NewItem(ItemKind kind);
    // A new item of the kind with this title and data line, then its dialog.
    void NewItem(ItemKind kind, const QString &title, const QString &dataLine);
    void DeleteBtnClick(bool fromCut = false);
    void EvDropFiles(const QStringList &files);
    void ListPaneOpenClick();
    void ListPanePropsClick();
    void ListPaneRenameClick();
    void Notes1Click();
    // "Send Mail": to the addresses of every selected row of the item list (asking first
    // when there are several), else to the item acted on.
    void SendMailClick();
    // Makes a website item, below the selected node, of the page the browser shows.
    void GetBrowserURL();
    // Help > "&Mira Homepage".
    void VisitHomepage();
    // File > "&Import...": the import wizard for the selected container.
    void ImportClick();
    // File > "&Print...": the print dialog for the selected container (and for an envelope,
    // the address selected in the list); File > "P&rinter Setup...": the page setup.
    void PrintClick();
    void PrinterSetupClick();
    void PublishClick();
    void MainItemsDblClick(const QModelIndex &index);
    // Applies PreparePopup of the item under the pointer to the pop-up menu.
    void PreparePopupFor(TZEBObject *item);
    // Starts in-place editing of a node's label (new folders and teams).
    void BeginRename(TTreeNode *node);
    void ExpandNode(TTreeNode *node);
    void ReselectNode(TTreeNode *node);
    // Selects the first place whose phone or fax number has the digits of number
    // (after the selected row's or node's place, wrapping round); nothing without a match.
    void LocatePhone(const QString &number);

    // The find bar: a search one second after the typing stops (SearchTime), at once on
    // F3 (Edit > Find) or Enter; "Up one level" selects the parent of the selected node.
    void FindEditBoxChange(const QString &text);
    void SearchTimeTimer();
    void FindItemClick();
    void UpOneBtnClick();
    // Selects the next node or item after the selected row's or node's place (wrapping
    // round, that place last) whose title has a word starting with text; false when none
    // has, or when text is empty.
    bool Locate(const QString &text);
    QLineEdit *findEditBox() const;
    QToolButton *upOneButton() const;
    QTimer *searchTimer() const;
    // The progress form of long work (searches, printing, publishing): one run at a time.
    ProgressState &progress() const;
    TProgressForm *progressForm() const;
    // Calls dragged from the caller-ID history: into node's item, else the selected node's.
    void DropCallerRowsOn(TTreeNode *node, const QMimeData *rows);

    // Edit commands on the active pane's selection; paste goes into the selected node.
    void CutBtnClick();
    void CopyBtnClick();
    void PasteBtnClick();
    void SelectAll1Click();
    // Dropped on a node of the tree: entries dragged within the window (the source pane's
    // selection moves into target), or calls from the caller-ID history.
    void FoldersDragDrop(TTreeNode *target, const QMimeData *mime);
    // A document dropped on a contact: asks whether to fax it, then whether to mail it.
    void SendDocumentTo(TZEBObject *contact, const QString &document);
    // The pop-up's "Dial" entry (enabled once dialing is wired).
    QAction *dialAction() const { return popupAction(PopupEntry::Dial); }
    // Items of the list's selected rows, in list order.
    QList<TZEBObject *> selectedItems() const;
    // Item the pop-up entries act on; none without a selection.
    TZEBObject *popupItem() const;

signals:
    void trayTipChanged(const QString &tip);
    void categoryNamesChanged();
    void toolMenusRebuilt();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    void buildMenus();
    void buildBars();
    void buildToolBar();
    // "&Show Popup" and a separator; BuildToolMenus adds the tools.
    QMenu *buildToolsPopup();
    void addFilterButtons();
    void buildNewItemBar();
    void buildFindBar();
    void buildPanes();
    void buildPopup();
    void loadCategoryNames();
    void createRoot();
    void connectNodes();
    void onFolderSelected();
    void onNodeChanged(TTreeNode *node);
    void showNodePath(const TTreeNode *node);
    void showItemCount();
    void onUpdateBegun();
    void onUpdateEnded();
    void onSplitterDrag(int x);
    void setStatusText(StatusPanel panel, const QString &text);
    void setTransferRunning(bool running);
    void showTreePopup(const QPoint &pos);
    // Where a search starts: the node of the list's selected row, which is deselected,
    // else the selected node (the root when none is).
    const TTreeNode *searchStart();
    // Selects and shows the list's row of the item with this identity; false when none.
    bool selectRowHolding(qint32 id, ItemKind kind, const QString &title);
    void focusPane(Pane pane);
    void showListPopup(const QPoint &globalPos);
    // Runs an action entry of the pop-up on its item.
    void runPopupAction(const std::function<void(TZEBObject *)> &call);
    // Runs an item operation, showing what it raises in a message box.
    bool guarded(const std::function<void()> &call);
    // What a copy put on the clipboard.
    enum class Copied { Nothing, Held, Refused };
    // whole: everything, as a cut takes it away; else what the tree pane shows.
    Copied copySelection(bool whole);
    // Drags over and drops on the list's viewport; true when the event was handled.
    bool listDragEvent(QEvent *event);
    QAction *makeAction(const QString &text, const QString &hint, const QKeySequence &shortcut = {});

    std::unique_ptr<TTreeNodes> m_nodes;
    std::unique_ptr<TImageList> m_images;
    TTreeNode *m_root = nullptr;
    std::unique_ptr<GuiServices> m_services;
    HttpTransport *m_http = nullptr;
    QPushButton *m_cancelTransfer = nullptr;
    TShortcutGate *m_transferGate = nullptr;
    bool m_changePending = false;
    bool m_inFoldersChange = false;
    TTreeNode *m_selectedBeforeUpdate = nullptr;
    // Expanded nodes across a batch change, which resets the tree view.
    std::unordered_set<const TTreeNode *> m_expandedBeforeUpdate;
    TStatusPanels *m_statusPanels = nullptr;
    QAction *m_notesAction = nullptr;
    QAction *m_propertiesAction = nullptr;
    QAction *m_renameAction = nullptr;
    QAction *m_toolsMenuAction = nullptr;
    QMenu *m_toolsPopup = nullptr;
    QAction *m_cutAction = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_pasteAction = nullptr;
    QAction *m_selectAllAction = nullptr;
    QAction *m_findAction = nullptr;
    QAction *m_importAction = nullptr;
    QAction *m_publishAction = nullptr;
    QAction *m_printAction = nullptr;
    QAction *m_printerSetupAction = nullptr;
    // The printer of the run, made when first used.
    std::unique_ptr<QPrinter> m_printer;
    std::array<QAction *, 11> m_newActions{};
    QStringList m_categoryNames;
    Pane m_activePane = Pane::Folders;
    ViewStyle m_viewStyle = ViewStyle::LargeIcons;

    QTreeView *m_folders = nullptr;
    TDragFileList *m_mainItems = nullptr;
    TFolderTreeModel *m_folderModel = nullptr;
    TItemListModel *m_itemModel = nullptr;
    TSplitterPanel *m_splitter = nullptr;
    QWidget *m_leftPane = nullptr;
    TCategoryFilterPane *m_filterPane = nullptr;

    QToolBar *m_toolBar = nullptr;
    QToolBar *m_newItemBar = nullptr;
    QToolBar *m_findBar = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QToolButton *m_upOneBtn = nullptr;
    QTimer *m_searchTime = nullptr;
    ProgressState *m_progress = nullptr;
    TProgressForm *m_progressForm = nullptr;
    QToolBar *m_tipBarHost = nullptr;
    TTipBar *m_tipBar = nullptr;
    QMenu *m_listPopup = nullptr;

    QAction *m_saveAction = nullptr;
    QAction *m_revertAction = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_helpContentsAction = nullptr;
    QAction *m_homepageAction = nullptr;
    QAction *m_browserUrlAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_toggleAction = nullptr;
    QAction *m_toolbarAction = nullptr;
    QAction *m_newItemBarAction = nullptr;
    QAction *m_findBarAction = nullptr;
    QAction *m_tipBarAction = nullptr;
    QAction *m_statusBarAction = nullptr;
    QAction *m_optionsAction = nullptr;
    QAction *m_deleteAction = nullptr;
    QActionGroup *m_viewFormatGroup = nullptr;
    std::array<QAction *, 4> m_viewFormatActions{};
    std::array<QToolButton *, 4> m_viewFormatButtons{};
    // The seven action entries of the pop-up, in PreparePopup order.
    enum class PopupEntry { Open, SendMail, SendFax, Dial, Browse, AdvanceDate, Launch, Count };
    std::array<QAction *, size_t(PopupEntry::Count)> m_popupActions{};
    QAction *popupAction(PopupEntry entry) const { return m_popupActions[size_t(entry)]; }
};
