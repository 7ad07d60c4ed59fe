#include "controls/navigator.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "controls/message_boxes.h"
#include "controls/navigator_glyphs.h"

namespace dorvana {

namespace {

const char16_t* const kDefaultHints[kNavButtonCount] = {
    u"První záznam", u"Předchozí stránka", u"Předchozí záznam", u"Další záznam",
    u"Další stránka", u"Poslední záznam", u"Vložit", u"Smazat", u"Opravit",
    u"Uložit", u"Zpět", u"Obnovit", u"Najít"};

const char* const kNames[kNavButtonCount] = {
    "FIRST", "PAGEUP", "PRIOR", "NEXT", "PAGEDN", "LAST", "INSERT",
    "DELETE", "EDIT", "POST", "CANCEL", "REFRESH", "FIND"};

}  // namespace

NavigatorLayout navigatorLayout(int visibleButtons, QSize size, bool horizontal, bool aligned) {
    const int n = std::max(1, visibleButtons);
    NavigatorLayout out;
    int length = horizontal ? size.width() : size.height();
    int thick = horizontal ? size.height() : size.width();
    length = std::max(length, n * (horizontal ? 19 : 17) + 1);
    thick = std::max(thick, horizontal ? 18 : 20);
    const int d = (length - 1) / n;
    int spare = length - n * d - 1;
    if (!aligned) {
        length = n * d + 1;
        spare = 0;
    }
    int error = n / 2;
    int pos = 0;
    for (int i = 0; i < visibleButtons; ++i) {
        int extent = d + 1;
        if (spare > 0) {
            error -= spare;
            if (error < 0) {
                error += n;
                ++extent;
            }
        }
        out.buttons << (horizontal ? QRect(pos, 0, extent, thick) : QRect(0, pos, thick, extent));
        pos += extent - 1;
    }
    out.size = horizontal ? QSize(length, thick) : QSize(thick, length);
    return out;
}

// A navigator button: no focus of its own; the navigator draws the focus
// rectangle on the button it has chosen.
class NavigatorButton : public QToolButton {
public:
    NavigatorButton(TDBNavign* nav, int index) : QToolButton(nav), nav_(nav), index_(index) {
        setFocusPolicy(Qt::NoFocus);
        setObjectName(QStringLiteral("nav") + QString::fromLatin1(kNames[index]));
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QToolButton::paintEvent(e);
        if (!nav_->hasFocus() || nav_->focused_ != index_) return;
        QPainter p(this);
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        opt.rect = rect().adjusted(3, 3, -3, -3).translated(isDown() ? 1 : 0, isDown() ? 1 : 0);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
    }

private:
    TDBNavign* nav_;
    int index_;
};

TDBNavign::TDBNavign(QWidget* parent)
    : QWidget(parent), ownMessages_(this), messages_(&ownMessages_) {
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < kNavButtonCount; ++i) {
        auto* b = new NavigatorButton(this, i);
        b->setIconSize(QSize(16, 16));
        if (i == nnPrior || i == nnNext) {
            b->setAutoRepeat(true);
            b->setAutoRepeatDelay(400);
            b->setAutoRepeatInterval(100);
        }
        connect(b, &QToolButton::clicked, this, [this, i] { clickButton(i); });
        buttons_ << b;
    }
    setHints({});
    updateGlyphs();
    resize(313, 25);
    updateStates();
}

TDBNavign::~TDBNavign() {
    if (dataSet_) dataSet_->removeObserver(this);
}

void TDBNavign::setDataSet(DataSet* dataSet) {
    if (dataSet_) dataSet_->removeObserver(this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->addObserver(this);
    updateStates();
}

void TDBNavign::setMessages(Messages* messages) {
    messages_ = messages ? messages : &ownMessages_;
}

void TDBNavign::setVisibleButtons(unsigned mask) {
    visible_ = mask & ((1u << kNavButtonCount) - 1);
    relayout();
}

void TDBNavign::setHints(const QStringList& hints) {
    hints_ = hints;
    for (int i = 0; i < kNavButtonCount; ++i) {
        const QString h = hint(i);
        buttons_[i]->setToolTip(h);
        buttons_[i]->setAccessibleName(h);
    }
}

QString TDBNavign::hint(int button) const {
    if (button < 0 || button >= kNavButtonCount) return {};
    const QString own = hints_.value(button);
    return own.isEmpty() ? QString::fromUtf16(kDefaultHints[button]) : own;
}

void TDBNavign::setStyle(Style s) {
    style_ = s;
    updateGlyphs();
    relayout();
}

void TDBNavign::setArrowStyle(ArrowStyle s) {
    arrowStyle_ = s;
    updateGlyphs();
}

void TDBNavign::setAligned(bool on) {
    aligned_ = on;
    relayout();
}

void TDBNavign::updateGlyphs() {
    const bool vertical = arrowStyle_ == ArrowStyle::asVertical ||
                          (arrowStyle_ == ArrowStyle::asDefault && style_ == Style::nnVertical);
    for (int i = 0; i < kNavButtonCount; ++i) buttons_[i]->setIcon(navigatorGlyph(i, vertical));
}

QSize TDBNavign::sizeHint() const {
    int n = 0;
    for (int i = 0; i < kNavButtonCount; ++i) n += (visible_ >> i) & 1;
    return navigatorLayout(n, QSize(n * 25 + 1, 25), style_ == Style::nnHorizontal, false).size;
}

void TDBNavign::relayout() {
    if (laying_) return;
    laying_ = true;
    int n = 0;
    for (int i = 0; i < kNavButtonCount; ++i) n += (visible_ >> i) & 1;
    const bool horizontal = style_ == Style::nnHorizontal;
    const NavigatorLayout lay = navigatorLayout(n, size(), horizontal, aligned_);
    if (lay.size != size()) resize(lay.size);
    int k = 0;
    for (int i = 0; i < kNavButtonCount; ++i) {
        if ((visible_ >> i) & 1) {
            buttons_[i]->setGeometry(lay.buttons[k++]);
            buttons_[i]->show();
        } else {
            // Hidden buttons wait just outside the visible area.
            buttons_[i]->setGeometry(horizontal ? QRect(-100, 0, 20, 18) : QRect(0, -100, 20, 18));
            buttons_[i]->hide();
        }
    }
    laying_ = false;
}

void TDBNavign::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void TDBNavign::dataSetDestroyed(DataSet&) {
    dataSet_ = nullptr;
    updateStates();
}

void TDBNavign::dataSetEvent(DataSet&, DataSetEvent event) {
    updateStates();
    if (event == DataSetEvent::StateChanged)
        emit editChange();
    else
        emit dataChange();
}

void TDBNavign::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) updateStates();
}

void TDBNavign::updateStates() {
    const bool open = dataSet_ && dataSet_->isOpen() && isEnabled();
    const bool editing = open && (dataSet_->state() == DataSet::State::Edit ||
                                  dataSet_->state() == DataSet::State::Insert);
    const bool modifiable = open && !dataSet_->isReadOnly();
    const bool empty = !open || dataSet_->isEmpty();
    const bool atBegin = !open || dataSet_->atBegin() || dataSet_->recNo() <= 1;
    const bool atEnd = !open || dataSet_->atEnd() || dataSet_->recNo() >= dataSet_->recordCount();
    const bool query = open && dataSet_->store() && dataSet_->store()->filePath().isEmpty();
    const bool states[kNavButtonCount] = {
        open && !atBegin, open && !atBegin, open && !atBegin,
        open && !atEnd, open && !atEnd, open && !atEnd,
        modifiable,
        modifiable && !empty,
        modifiable && !editing && !empty,
        modifiable && editing, modifiable && editing,
        open && !query,
        open && isSignalConnected(QMetaMethod::fromSignal(&TDBNavign::clickFind)),
    };
    for (int i = 0; i < kNavButtonCount; ++i) buttons_[i]->setEnabled(states[i]);
}

bool TDBNavign::replaced(int index) {
    const auto connected = [this](auto signal) {
        return isSignalConnected(QMetaMethod::fromSignal(signal));
    };
    switch (index) {
        case nnInsert:
            if (!connected(&TDBNavign::clickInsert)) return false;
            emit clickInsert();
            return true;
        case nnDelete:
            if (!connected(&TDBNavign::clickDelete)) return false;
            emit clickDelete();
            return true;
        case nnEdit:
            if (!connected(&TDBNavign::clickEdit)) return false;
            emit clickEdit();
            return true;
        case nnPost:
            if (!connected(&TDBNavign::clickPost)) return false;
            emit clickPost();
            return true;
        case nnCancel:
            if (!connected(&TDBNavign::clickCancel)) return false;
            emit clickCancel();
            return true;
        case nnRefresh:
            if (!connected(&TDBNavign::clickRefresh)) return false;
            emit clickRefresh();
            return true;
        case nnFind:
            emit clickFind();
            return true;
        default:
            return false;
    }
}

void TDBNavign::defaultAction(int index) {
    DataSet* ds = dataSet_;
    const int skip = pageSkip_ <= 0 ? 10 : pageSkip_;
    QString err;
    bool ok = true;
    // A record being edited is kept before another one becomes current (as
    // the grid does).
    const bool move = index >= nnFirst && index <= nnLast;
    if (move && ds->state() != DataSet::State::Browse && !ds->post(&err)) {
        messages_->error(err);
        return;
    }
    switch (index) {
        case nnFirst: ds->first(); break;
        case nnPageUp: ds->moveBy(-skip); break;
        case nnPrior: ds->prior(); break;
        case nnNext: ds->next(); break;
        case nnPageDn: ds->moveBy(skip); break;
        case nnLast: ds->last(); break;
        case nnInsert: ok = ds->insert(&err); break;
        case nnDelete:
            if (!confirmDelete_ || messages_->confirm(QStringLiteral("Delete record?")))
                ok = ds->deleteRecord(&err);
            break;
        case nnEdit: ok = ds->edit(&err); break;
        case nnPost: ok = ds->post(&err); break;
        case nnCancel: ds->cancel(); break;
        case nnRefresh: ok = ds->refresh(&err); break;
        default: break;
    }
    if (!ok && !err.isEmpty()) messages_->error(err);
}

void TDBNavign::clickButton(int index) {
    if (index < 0 || index >= kNavButtonCount) return;
    emit beforeAction(index);
    if (dataSet_ && dataSet_->isOpen() && !replaced(index)) defaultAction(index);
    emit clicked(index);
    updateStates();
}

void TDBNavign::moveFocus(int step) {
    for (int i = focused_ + step; i >= 0 && i < kNavButtonCount; i += step) {
        if ((visible_ >> i) & 1) {
            buttons_[focused_]->update();
            focused_ = i;
            buttons_[i]->update();
            return;
        }
    }
}

void TDBNavign::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left: moveFocus(-1); break;
        case Qt::Key_Right: moveFocus(1); break;
        case Qt::Key_Space:
            if (buttons_[focused_]->isEnabled()) clickButton(focused_);
            break;
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void TDBNavign::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (!((visible_ >> focused_) & 1)) moveFocus(1);
    buttons_[focused_]->update();
}

void TDBNavign::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    buttons_[focused_]->update();
}

}  // namespace dorvana
