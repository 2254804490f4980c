// The browse as a modal dialog: a table over one page at a time with cells in their columns' pictures and
// the columns in the user's layout, a locator, the sort tabs, headers that sort on a click, the buttons of
// the browse's actions and the popup of the list; every key, click and scroll becomes a step of the browse
// controller.
#include <QAction>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "browse_model.h"
#include "dane/browse.h"
#include "host_context.h"
#include "picture_width.h"
#include "runtime/text.h"
#include "ui_qt/window_geometry.h"

namespace ui_qt {
namespace {

// The thumb rests in the middle: the browse never knows where in the table its page lies, so the bar
// only reports which way the user wants to go.
constexpr int kScrollRange = 100;
constexpr int kScrollRest = kScrollRange / 2;

// The name the browse's actions give a key ("Insert", "F4", "Enter", "Ctrl+B", "Shift+N", "Ctrl+Shift+F5"),
// or an empty text for a key no action can have. F1 is never named: it stays the help key.
std::string key_name(const QKeyEvent& event) {
  const int k = event.key();
  std::string base;
  if (k >= Qt::Key_F2 && k <= Qt::Key_F12) {
    base = "F" + std::to_string(k - Qt::Key_F1 + 1);
  } else if (k >= Qt::Key_A && k <= Qt::Key_Z) {
    base = std::string(1, static_cast<char>('A' + (k - Qt::Key_A)));
  } else if (k >= Qt::Key_0 && k <= Qt::Key_9) {
    base = std::string(1, static_cast<char>('0' + (k - Qt::Key_0)));
  } else if (k == Qt::Key_Insert) {
    base = "Insert";
  } else if (k == Qt::Key_Delete) {
    base = "Delete";
  } else if (k == Qt::Key_Return || k == Qt::Key_Enter) {
    base = "Enter";
  } else if (k == Qt::Key_Space) {
    base = "Space";
  } else {
    return {};
  }
  const Qt::KeyboardModifiers m = event.modifiers();
  std::string name;
  if (m & Qt::ControlModifier) name += "Ctrl+";
  if (m & Qt::ShiftModifier) name += "Shift+";
  if (m & Qt::AltModifier) name += "Alt+";
  return name + base;
}

// In the locator a key that types or edits its text stays there; the others (F keys, Enter, Ctrl and Alt
// combinations) reach the actions as they do in the list.
bool edits_locator(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  const int k = event.key();
  return (k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9) || k == Qt::Key_Space ||
         k == Qt::Key_Delete || k == Qt::Key_Insert;
}

// A header click with Ctrl adds a column to the sort, with Shift goes back to the browse's own order.
dane::ClickModifier click_modifier(Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ShiftModifier) return dane::ClickModifier::Shift;
  if (modifiers & Qt::ControlModifier) return dane::ClickModifier::Ctrl;
  return dane::ClickModifier::None;
}

class BrowseDialog : public QDialog {
 public:
  BrowseDialog(dane::BrowseWindow& browse, HostContext& context)
      : QDialog(dialog_parent()), browse_(browse), context_(context), model_(browse, this) {
    setObjectName(QString::fromStdString(browse.procedure_name()));
    setWindowTitle(to_qt(browse.title()));
    setSizeGripEnabled(true);
    build();
    add_toolbar(*this, *static_cast<QBoxLayout*>(layout()), browse_, [this] { sync(); });
    apply_tooltips(*this, browse_);
    add_help_key(*this, browse_);
    sync();
  }

  void run() {
    restore_geometry(*this, *context_.geometry, browse_.procedure_name(), 720, 480);
    layout()->activate();
    fit_page();
    context_.screenshots.watch(this, "browse", browse_.procedure_name());
    if (!browse_.closed()) exec();
    save_geometry(*this, *context_.geometry, browse_.procedure_name());
  }

  // Esc and the title bar's close button ask the browse; it may stay open.
  void reject() override {
    act([this] { browse_.request_close(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) return key(static_cast<QKeyEvent*>(event), watched == locator_);
    if (watched == view_->viewport()) {
      if (event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta < 0) act([this] { browse_.page_down(); });
        if (delta > 0) act([this] { browse_.page_up(); });
        return true;
      }
      if (event->type() == QEvent::Resize) QTimer::singleShot(0, this, [this] { fit_page(); });
    }
    return QDialog::eventFilter(watched, event);
  }

 private:
  void build() {
    auto* layout = new QVBoxLayout(this);
    auto* locator_row = new QHBoxLayout;
    auto* locator_label = new QLabel(QStringLiteral("Szukaj:"), this);
    locator_ = new QLineEdit(this);
    locator_->setObjectName("locator");
    locator_label->setBuddy(locator_);
    locator_row->addWidget(locator_label);
    locator_row->addWidget(locator_);
    layout->addLayout(locator_row);

    // The browse's sort orders as tabs over the list, when there is a choice.
    if (browse_.sort_orders().size() > 1) {
      tabs_ = new QTabBar(this);
      tabs_->setObjectName("orders");
      tabs_->setFocusPolicy(Qt::NoFocus);
      tabs_->setDrawBase(false);
      tabs_->setExpanding(false);
      for (const dane::SortOrder& order : browse_.sort_orders()) tabs_->addTab(to_qt(order.name));
      tabs_->setCurrentIndex(static_cast<int>(browse_.sort_order_index()));
      layout->addWidget(tabs_);
    }

    auto* table_row = new QHBoxLayout;
    view_ = new QTableView(this);
    view_->setObjectName("list");
    view_->setModel(&model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setSectionsClickable(true);
    // The header sorter's marks show the sort; Qt's own arrow would tell something else.
    view_->horizontalHeader()->setSortIndicatorShown(false);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setTabKeyNavigation(false);
    view_->setWordWrap(false);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    size_columns();
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName("scroll");
    scroll_->setRange(0, kScrollRange);
    scroll_->setPageStep(10);
    scroll_->setValue(kScrollRest);
    table_row->addWidget(view_);
    table_row->addWidget(scroll_);
    layout->addLayout(table_row, 1);

    // A button for each action that has one; a select action only while the browse selects.
    auto* buttons = new QHBoxLayout;
    for (const dane::BrowseAction& action : browse_.actions()) {
      if (action.button.empty()) continue;
      if (action.select_only && browse_.request() != dane::Request::Select) continue;
      const std::string name = action.name;
      QPushButton* b = add_button(buttons, runtime::to_lower(name), action.button,
                                  [this, name] { browse_.run_action(name); });
      action_buttons_.emplace_back(name, b);
    }
    buttons->addStretch();
    add_button(buttons, "close", "&Zamknij", [this] { browse_.request_close(); });
    layout->addLayout(buttons);

    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
    locator_->installEventFilter(this);
    connect(locator_, &QLineEdit::textEdited, this, [this](const QString& text) {
      act([this, text] {
        if (text.isEmpty()) {
          browse_.reset();
        } else {
          browse_.locate(text.toStdString());
        }
      });
    });
    connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { header_clicked(section); });
    if (tabs_) connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { tab_changed(index); });
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
              if (current.isValid()) browse_.set_current(static_cast<std::size_t>(current.row()));
            });
    // A click in a cell is the browse's to answer (a mark column toggles the mark).
    connect(view_, &QTableView::clicked, this, [this](const QModelIndex& index) {
      const auto column = index.isValid() ? model_.column_of(index.column()) : std::nullopt;
      if (!column) return;
      browse_.set_current(static_cast<std::size_t>(index.row()));
      act([this, column] { browse_.click_cell(*column); });
    });
    // A double click is Enter: select in select mode, change otherwise.
    connect(view_, &QTableView::doubleClicked, this, [this] { act([this] { browse_.press_key("Enter"); }); });
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
      // The row under the pointer becomes current, so that the action chosen applies to it.
      const QModelIndex index = view_->indexAt(at);
      if (index.isValid()) browse_.set_current(static_cast<std::size_t>(index.row()));
      act([this] { browse_.open_popup(); });
    });
    connect(scroll_, &QScrollBar::actionTriggered, this, [this](int action) { scrolled(action); });
    connect(scroll_, &QScrollBar::sliderReleased, this, [this] { slider_released(); });
  }

  // Each column as wide as the user's layout says, else as its picture shows (within reason); never
  // narrower than its heading with a sort mark, so that a mark is always readable.
  void size_columns() {
    const QFontMetrics metrics = view_->fontMetrics();
    const auto& shown = model_.shown();
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const auto section = static_cast<int>(i);
      const QString title = model_.headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
      const int heading =
          metrics.horizontalAdvance(title + QStringLiteral("[+9]")) + 2 * metrics.averageCharWidth();
      if (shown[i].width > 0) {
        view_->setColumnWidth(section, std::max(heading, shown[i].width));
        continue;
      }
      const int chars = std::clamp(picture_chars(shown[i].picture), 4, 40);
      view_->setColumnWidth(section, std::max(heading, metrics.averageCharWidth() * (chars + 2)));
    }
    sized_columns_ = shown.size();
  }

  QPushButton* add_button(QHBoxLayout* row, const std::string& name, const std::string& text,
                          std::function<void()> action) {
    auto* b = new QPushButton(to_qt(text), this);
    b->setObjectName(QString::fromStdString(name));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QPushButton::clicked, this, [this, action = std::move(action)] { act(action); });
    row->addWidget(b);
    return b;
  }

  // Runs one step of the browse and shows its outcome; a step that closed the browse ends the dialog.
  void act(const std::function<void()>& step) {
    step();
    sync();
  }

  void sync() {
    model_.reload();
    if (model_.shown().size() != sized_columns_) size_columns();
    if (const auto current = browse_.current_index()) {
      const QSignalBlocker block(view_->selectionModel());
      view_->selectRow(static_cast<int>(*current));
      view_->setCurrentIndex(
          model_.index(static_cast<int>(*current), std::max(0, view_->currentIndex().column())));
    }
    if (tabs_) {
      const QSignalBlocker block(tabs_);
      tabs_->setCurrentIndex(static_cast<int>(browse_.sort_order_index()));
    }
    // Whether each action can run changes with the row, the mode and the browse's own switches.
    for (const auto& [name, button] : action_buttons_) {
      const dane::BrowseAction* action = find_action(name);
      button->setVisible(action && action->visible);
      button->setEnabled(browse_.action_available(name));
    }
    if (auto* bar = findChild<QToolBar*>("toolbar")) {
      for (QAction* tool : bar->actions()) {
        const std::string name = tool->objectName().toStdString();
        const dane::ToolButton* button = browse_.toolbar().find(name);
        if (button && find_action(name)) tool->setEnabled(button->enabled && browse_.action_available(name));
      }
    }
    if (browse_.closed() && isVisible()) {
      done(browse_.response() == dane::Response::Completed ? QDialog::Accepted : QDialog::Rejected);
    }
  }

  const dane::BrowseAction* find_action(std::string_view name) const {
    for (const dane::BrowseAction& a : browse_.actions()) {
      if (runtime::same_name(a.name, name)) return &a;
    }
    return nullptr;
  }

  // The rows that fit become the page size, so that one page is what the user sees. Worked out from the
  // view's own height: before the dialog is first shown its viewport has not been laid out yet.
  void fit_page() {
    const int row_height = std::max(1, view_->verticalHeader()->defaultSectionSize());
    const int header = view_->horizontalHeader()->sizeHint().height();
    const int room = view_->height() - header - 2 * view_->frameWidth();
    const int fit = std::max(1, room / row_height);
    if (fit == page_rows_ || browse_.closed()) return;
    page_rows_ = fit;
    browse_.set_page_size(static_cast<std::size_t>(fit));
    act([this] { browse_.refresh(); });
  }

  // A key goes to the browse's actions first ("F4", "Ctrl+B", "Insert", Enter to select or change); when
  // none has it the list moves.
  bool key(QKeyEvent* event, bool in_locator) {
    const std::string name = key_name(*event);
    if (!name.empty() && !(in_locator && edits_locator(*event))) {
      bool ran = false;
      act([this, &name, &ran] { ran = browse_.press_key(name); });
      if (ran) return true;
    }
    const int k = event->key();
    switch (k) {
      case Qt::Key_PageDown:
        act([this] { browse_.page_down(); });
        return true;
      case Qt::Key_PageUp:
        act([this] { browse_.page_up(); });
        return true;
      case Qt::Key_Down:
        act([this] { move_down(); });
        return true;
      case Qt::Key_Up:
        act([this] { move_up(); });
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        return true;  // nothing to select or change now; no button of the dialog takes it either
      case Qt::Key_Menu:
        act([this] { browse_.open_popup(); });
        return true;
      default:
        break;
    }
    // In the locator these keys edit the text.
    if (in_locator) return false;
    switch (k) {
      case Qt::Key_Home:
        act([this] { browse_.reset(); });
        return true;
      case Qt::Key_End:
        act([this] { browse_.to_end(); });
        return true;
      default:
        return false;
    }
  }

  // One row down; past the last row of the page the next page starts with the row after it.
  void move_down() {
    const auto current = browse_.current_index();
    if (current && *current + 1 < browse_.rows().size()) {
      browse_.set_current(*current + 1);
    } else {
      browse_.page_down();
    }
  }

  // One row up; before the first row the previous page ends with the row before it.
  void move_up() {
    const auto current = browse_.current_index();
    if (current && *current > 0) {
      browse_.set_current(*current - 1);
      return;
    }
    const dane::Row* first = browse_.current_row();
    const dane::Row before = first ? *first : dane::Row{};
    browse_.page_up();
    if (first && !browse_.rows().empty() && browse_.rows().front() != before) {
      browse_.set_current(browse_.rows().size() - 1);
    }
  }

  void scrolled(int action) {
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd:
        act([this] { move_down(); });
        break;
      case QAbstractSlider::SliderSingleStepSub:
        act([this] { move_up(); });
        break;
      case QAbstractSlider::SliderPageStepAdd:
        act([this] { browse_.page_down(); });
        break;
      case QAbstractSlider::SliderPageStepSub:
        act([this] { browse_.page_up(); });
        break;
      case QAbstractSlider::SliderToMinimum:
        act([this] { browse_.reset(); });
        break;
      case QAbstractSlider::SliderToMaximum:
        act([this] { browse_.to_end(); });
        break;
      default:
        return;
    }
    QTimer::singleShot(0, this, [this] { scroll_->setValue(kScrollRest); });
  }

  // Dragging the thumb to an end goes to that end of the table.
  void slider_released() {
    const int at = scroll_->value();
    if (at <= 0) act([this] { browse_.reset(); });
    if (at >= kScrollRange) act([this] { browse_.to_end(); });
    scroll_->setValue(kScrollRest);
  }

  // Ctrl and Shift count as they are held at the click. A sort that changed moves the locator to the new
  // leading column, so that what was typed there no longer applies.
  void header_clicked(int section) {
    const auto column = model_.column_of(section);
    if (!column) return;
    const dane::ClickModifier modifier = click_modifier(QGuiApplication::keyboardModifiers());
    act([this, column, modifier] {
      if (browse_.click_header(*column, modifier)) locator_->clear();
    });
  }

  // Another sort tab: its order, from the start, with an empty locator.
  void tab_changed(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= browse_.sort_orders().size()) return;
    const std::string name = browse_.sort_orders()[static_cast<std::size_t>(index)].name;
    locator_->clear();
    act([this, &name] { browse_.select_sort_order(name); });
  }

  dane::BrowseWindow& browse_;
  HostContext& context_;
  BrowseModel model_;
  QTableView* view_ = nullptr;
  QLineEdit* locator_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  QTabBar* tabs_ = nullptr;
  std::vector<std::pair<std::string, QPushButton*>> action_buttons_;
  std::size_t sized_columns_ = 0;
  int page_rows_ = 0;
};

}  // namespace

void run_browse_dialog(dane::BrowseWindow& window, HostContext& context) {
  BrowseDialog dialog(window, context);
  dialog.run();
}

}  // namespace ui_qt
