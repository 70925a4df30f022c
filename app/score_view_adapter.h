#pragma once

#include "app/frame_view.h"
#include "view/tavrino_view.h"

namespace tavrino {

// The score view as the main frame sees it.
class ScoreViewAdapter final : public FrameView {
public:
    explicit ScoreViewAdapter(CTavrinoView* view) : view_(view) {}

    QWidget* widget() override { return view_; }
    std::int32_t FirstTick() const override { return view_->FirstTick(); }
    std::int32_t LastTick() const override { return view_->LastTick(); }
    void Invalidate() override { view_->Invalidate(); }
    void PaintPlayedNote(int eventIndex) override { view_->PaintPlayedNote(eventIndex); }
    void PaintBendStep(int eventIndex) override { view_->PaintBendStep(eventIndex); }
    void PaintPositionBand(std::int32_t tick) override { view_->PaintPositionBand(tick); }
    void SetScrollRange(std::int32_t quarters) override { view_->SetScrollRange(quarters); }
    void SetScrollPosition(std::int32_t quarter) override { view_->SetScrollPosition(quarter); }
    void ScrollToShow(std::int32_t tick) override { view_->ScrollToShow(tick); }
    int ZoomIndex() const override { return view_->ZoomIndex(); }
    void SetZoomIndex(int index) override { view_->SetZoomIndex(index); }
    void SetTablatureType(int type) override { view_->SetTablatureType(type); }
    void SetEditMode(bool open) override { view_->SetEditMode(open); }
    TabSource Tabs() const override { return view_->Tabs(); }

private:
    CTavrinoView* view_;  // the main window's central widget owns it
};

}  // namespace tavrino
