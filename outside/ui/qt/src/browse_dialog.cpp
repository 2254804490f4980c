// The browse as a modal dialog: a table over one page at a time with cells in their columns' pictures, a
// locator, sortable headers, the record buttons and the popup of the list; every key, click and scroll
// becomes a step of the browse controller.
#include <QDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

#include "browse_model.h"
#include "dane/browse.h"
#include "host_context.h"
#include "picture_width.h"
#include "ui_qt/window_geometry.h"

namespace ui_qt {
namespace {

// The thumb rests in the middle: the browse never knows where in the table its page lies, so the bar
// only reports which way the user wants to go.
constexpr int kScrollRange = 100;
constexpr int kScrollRest = kScrollRange / 2;

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

    auto* buttons = new QHBoxLayout;
    add_button(buttons, "insert", "&Dodaj", [this] { browse_.ask(dane::RecordAction::Insert); });
    add_button(buttons, "change", "&Popraw", [this] { browse_.ask(dane::RecordAction::Change); });
    add_button(buttons, "delete", "&Usuń", [this] { browse_.ask(dane::RecordAction::Delete); });
    if (browse_.request() == dane::Request::Select) {
      add_button(buttons, "select", "&Wybierz", [this] { browse_.ask(dane::RecordAction::Select); });
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
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
              if (current.isValid()) browse_.set_current(static_cast<std::size_t>(current.row()));
            });
    connect(view_, &QTableView::doubleClicked, this, [this] { act([this] { enter(); }); });
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

  // Each column as wide as its picture shows (within reason) and never narrower than its heading.
  void size_columns() {
    const QFontMetrics metrics = view_->fontMetrics();
    const auto& columns = browse_.columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const int chars = std::clamp(picture_chars(columns[i].picture), 4, 40);
      const QString title =
          model_.headerData(static_cast<int>(i), Qt::Horizontal, Qt::DisplayRole).toString();
      const int heading = metrics.horizontalAdvance(title) + 3 * metrics.averageCharWidth();
      view_->setColumnWidth(static_cast<int>(i), std::max(heading, metrics.averageCharWidth() * (chars + 2)));
    }
  }

  void add_button(QHBoxLayout* row, const char* name, const char* text, std::function<void()> action) {
    auto* b = new QPushButton(QString::fromUtf8(text), this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QPushButton::clicked, this, [this, action = std::move(action)] { act(action); });
    row->addWidget(b);
  }

  // Runs one step of the browse and shows its outcome; a step that closed the browse ends the dialog.
  void act(const std::function<void()>& step) {
    step();
    sync();
  }

  void sync() {
    model_.reload();
    if (const auto current = browse_.current_index()) {
      const QSignalBlocker block(view_->selectionModel());
      view_->selectRow(static_cast<int>(*current));
      view_->setCurrentIndex(
          model_.index(static_cast<int>(*current), std::max(0, view_->currentIndex().column())));
    }
    const auto& order = browse_.sort_order();
    if (!order.key_columns.empty()) {
      view_->horizontalHeader()->setSortIndicatorShown(true);
      view_->horizontalHeader()->setSortIndicator(
          static_cast<int>(order.key_columns.front()),
          order.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    if (browse_.closed() && isVisible()) {
      done(browse_.response() == dane::Response::Completed ? QDialog::Accepted : QDialog::Rejected);
    }
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

  bool key(QKeyEvent* event, bool in_locator) {
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
        act([this] { enter(); });
        return true;
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
      case Qt::Key_Insert:
        act([this] { browse_.ask(dane::RecordAction::Insert); });
        return true;
      case Qt::Key_F2:
        act([this] { browse_.ask(dane::RecordAction::Change); });
        return true;
      case Qt::Key_Delete:
        act([this] { browse_.ask(dane::RecordAction::Delete); });
        return true;
      default:
        return false;
    }
  }

  void enter() {
    browse_.ask(browse_.request() == dane::Request::Select ? dane::RecordAction::Select
                                                           : dane::RecordAction::Change);
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

  void header_clicked(int section) {
    if (section < 0) return;
    const auto column = static_cast<std::size_t>(section);
    act([this, column] { browse_.click_header(column); });
  }

  dane::BrowseWindow& browse_;
  HostContext& context_;
  BrowseModel model_;
  QTableView* view_ = nullptr;
  QLineEdit* locator_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  int page_rows_ = 0;
};

}  // namespace

void run_browse_dialog(dane::BrowseWindow& window, HostContext& context) {
  BrowseDialog dialog(window, context);
  dialog.run();
}

}  // namespace ui_qt
