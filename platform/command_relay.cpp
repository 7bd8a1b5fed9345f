#include "platform/command_relay.h"

#include "platform/control_id.h"
#include "platform/delta_spin.h"
#include "platform/ip_address_edit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

#include <set>

CommandRelay::CommandRelay(CommandTarget& target) : target_(target) {}

bool CommandRelay::IsBound(const QWidget* control) const
{
    return ids_.contains(control);
}

void CommandRelay::SendCommand(int id, int code)
{
    target_.OnCommand(id, code);
}

int CommandRelay::SendNotify(const NotifyHeader& header)
{
    int result = 0;
    target_.OnNotify(header, &result);
    return result;
}

NotifyHeader CommandRelay::Header(QWidget* control, int code) const
{
    NotifyHeader header;
    header.idFrom = ids_.value(control, 0);
    header.code = code;
    header.control = control;
    return header;
}

void CommandRelay::BindAll(const QWidget* root)
{
    for (QWidget* control : ControlsOf(root))
        Bind(control, CtrlIdOf(control));
}

void CommandRelay::Bind(QWidget* control, int id)
{
    if (control == nullptr || id == 0 || ids_.contains(control))
        return;
    ids_.insert(control, id);
    connect(control, &QObject::destroyed, this, [this, control] { ids_.remove(control); });

    if (auto* ip = qobject_cast<IpAddressEdit*>(control)) {
        connect(ip, &IpAddressEdit::addressChanged, this, [this, id] { SendCommand(id, EN_CHANGE); });
    } else if (auto* spin = qobject_cast<DeltaSpin*>(control)) {
        connect(spin, &DeltaSpin::deltaPos, this, [this, spin](int delta) {
            NotifyHeader header = Header(spin, UDN_DELTAPOS);
            header.delta = delta;
            SendNotify(header);
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] { SendCommand(id, BN_CLICKED); });
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        connect(combo, &QComboBox::activated, this, [this, id] { SendCommand(id, CBN_SELCHANGE); });
        if (combo->lineEdit()) {
            connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, id] { SendCommand(id, CBN_EDITCHANGE); });
        }
        combo->installEventFilter(this);
    } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
        connect(line, &QLineEdit::textChanged, this, [this, id] { SendCommand(id, EN_CHANGE); });
        line->installEventFilter(this);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        connect(plain, &QPlainTextEdit::textChanged, this, [this, id] { SendCommand(id, EN_CHANGE); });
    } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        connect(rich, &QTextEdit::textChanged, this, [this, id] { SendCommand(id, EN_CHANGE); });
    } else if (auto* dateTime = qobject_cast<QDateTimeEdit*>(control)) {
        connect(dateTime, &QDateTimeEdit::dateTimeChanged, this,
                [this, dateTime] { SendNotify(Header(dateTime, DTN_DATETIMECHANGE)); });
    } else if (auto* numberSpin = qobject_cast<QAbstractSpinBox*>(control)) {
        if (auto* intSpin = qobject_cast<QSpinBox*>(numberSpin))
            connect(intSpin, &QSpinBox::textChanged, this, [this, id] { SendCommand(id, EN_CHANGE); });
        else if (auto* doubleSpin = qobject_cast<QDoubleSpinBox*>(numberSpin))
            connect(doubleSpin, &QDoubleSpinBox::textChanged, this, [this, id] { SendCommand(id, EN_CHANGE); });
    } else if (auto* tree = qobject_cast<QTreeWidget*>(control); tree != nullptr && tree->rootIsDecorated()) {
        BindTree(tree);
    } else if (auto* list = qobject_cast<QTreeView*>(control); list != nullptr && !list->rootIsDecorated()) {
        BindList(list);
    } else if (auto* listBox = qobject_cast<QListWidget*>(control)) {
        connect(listBox, &QListWidget::currentRowChanged, this, [this, id] { SendCommand(id, LBN_SELCHANGE); });
        connect(listBox, &QListWidget::itemDoubleClicked, this, [this, id] { SendCommand(id, LBN_DBLCLK); });
    } else if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
        connect(tabs, &QTabWidget::currentChanged, this, [this, tabs] { SendNotify(Header(tabs, TCN_SELCHANGE)); });
    } else if (auto* tabBar = qobject_cast<QTabBar*>(control)) {
        connect(tabBar, &QTabBar::currentChanged, this, [this, tabBar] { SendNotify(Header(tabBar, TCN_SELCHANGE)); });
    }
}

void CommandRelay::BindList(QTreeView* list)
{
    if (list->model() == nullptr || list->selectionModel() == nullptr)
        return;
    auto rowOf = [](const QModelIndex& index) { return index.isValid() ? index.row() : -1; };

    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, list](const QItemSelection& selected, const QItemSelection& deselected) {
                auto rows = [](const QItemSelection& selection) {
                    std::set<int> result;
                    for (const QModelIndex& index : selection.indexes()) {
                        if (!index.parent().isValid())
                            result.insert(index.row());
                    }
                    return result;
                };
                for (int row : rows(deselected)) {
                    NotifyHeader header = Header(list, LVN_ITEMCHANGED);
                    header.item = row;
                    header.oldState = LVIS_SELECTED;
                    SendNotify(header);
                }
                for (int row : rows(selected)) {
                    NotifyHeader header = Header(list, LVN_ITEMCHANGED);
                    header.item = row;
                    header.newState = LVIS_SELECTED;
                    SendNotify(header);
                }
            });
    connect(list->model(), &QAbstractItemModel::dataChanged, this,
            [this, list](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
                if (!roles.contains(Qt::CheckStateRole) || topLeft.column() != 0 || topLeft.parent().isValid())
                    return;
                for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
                    const bool checked = list->model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
                    NotifyHeader header = Header(list, LVN_ITEMCHANGED);
                    header.item = row;
                    header.oldState = checked ? LVIS_UNCHECKED : LVIS_CHECKED;
                    header.newState = checked ? LVIS_CHECKED : LVIS_UNCHECKED;
                    SendNotify(header);
                }
            });
    list->header()->setSectionsClickable(true);
    connect(list->header(), &QHeaderView::sectionClicked, this, [this, list](int column) {
        NotifyHeader header = Header(list, LVN_COLUMNCLICK);
        header.subItem = column;
        SendNotify(header);
    });
    connect(list, &QAbstractItemView::clicked, this, [this, list, rowOf](const QModelIndex& index) {
        NotifyHeader header = Header(list, NM_CLICK);
        header.item = rowOf(index);
        header.subItem = index.column();
        SendNotify(header);
    });
    connect(list, &QAbstractItemView::doubleClicked, this, [this, list, rowOf](const QModelIndex& index) {
        NotifyHeader header = Header(list, NM_DBLCLK);
        header.item = rowOf(index);
        header.subItem = index.column();
        SendNotify(header);
    });
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list, rowOf](const QPoint& pos) {
        NotifyHeader header = Header(list, NM_RCLICK);
        header.item = rowOf(list->indexAt(pos));
        header.subItem = list->header()->logicalIndexAt(pos.x());
        header.point = pos;
        SendNotify(header);
    });
    list->installEventFilter(this);
}

void CommandRelay::BindTree(QTreeWidget* tree)
{
    connect(tree, &QTreeWidget::currentItemChanged, this,
            [this, tree](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                NotifyHeader header = Header(tree, TVN_SELCHANGED);
                header.treeItem = current;
                header.oldTreeItem = previous;
                SendNotify(header);
            });
    connect(tree, &QTreeWidget::itemClicked, this, [this, tree](QTreeWidgetItem* item) {
        NotifyHeader header = Header(tree, NM_CLICK);
        header.treeItem = item;
        SendNotify(header);
    });
    connect(tree, &QTreeWidget::itemDoubleClicked, this, [this, tree](QTreeWidgetItem* item) {
        NotifyHeader header = Header(tree, NM_DBLCLK);
        header.treeItem = item;
        SendNotify(header);
    });
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint& pos) {
        NotifyHeader header = Header(tree, NM_RCLICK);
        header.treeItem = tree->itemAt(pos);
        header.point = pos;
        SendNotify(header);
    });
    tree->installEventFilter(this);
}

bool CommandRelay::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = ids_.constFind(watched);
    if (found == ids_.constEnd())
        return QObject::eventFilter(watched, event);
    const int id = found.value();
    auto* control = static_cast<QWidget*>(watched);

    if (auto* combo = qobject_cast<QComboBox*>(watched)) {
        // The drop-down notice comes before the list opens, so that a handler can still fill or size it.
        bool opens = false;
        if (event->type() == QEvent::MouseButtonPress)
            opens = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool alt = key->modifiers() & Qt::AltModifier;
            opens = key->key() == Qt::Key_F4 || (alt && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) ||
                    (key->key() == Qt::Key_Space && !combo->isEditable());
        }
        if (opens && combo->isEnabled() && !combo->view()->isVisible())
            SendCommand(id, CBN_DROPDOWN);
    } else if (qobject_cast<QLineEdit*>(watched)) {
        if (event->type() == QEvent::FocusIn)
            SendCommand(id, EN_SETFOCUS);
        else if (event->type() == QEvent::FocusOut)
            SendCommand(id, EN_KILLFOCUS);
    } else if (auto* view = qobject_cast<QTreeView*>(watched)) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            auto* tree = qobject_cast<QTreeWidget*>(view);
            const bool isTree = tree != nullptr && tree->rootIsDecorated();
            NotifyHeader header = Header(control, isTree ? TVN_KEYDOWN : LVN_KEYDOWN);
            header.key = key->key();
            SendNotify(header);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                NotifyHeader ret = Header(control, NM_RETURN);
                if (isTree)
                    ret.treeItem = tree->currentItem();
                else
                    ret.item = view->currentIndex().isValid() ? view->currentIndex().row() : -1;
                SendNotify(ret);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
