// The client of the game's online high-score list: fetches the list for a player and submits a
// player's campaign and zen figures with a signed query over HTTP GET. It owns at most one
// request at a time and never waits; the game state polls it once per logic step.
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/xml_parser.h"

namespace Vorn {
class IUrlRequest;

namespace Logic {
class IDeviceHandler;
class IState;
} // namespace Logic

namespace App {

class HalvexHighscores
{
public:
    // One row of the list.
    struct Entry
    {
        UInt32 mRank = 0;
        String mName;
        UInt32 mScore1 = 0;
        UInt32 mScore2 = 0;
        UInt32 mScore3 = 0;
        Bool mHighlight = false;
    };

    // Reads a list reply: a "Content" root holding only "DR" rows.
    class Parser : public Util::XmlParser
    {
    public:
        explicit Parser(Array<Entry>& entries) : mEntries(entries) {}
        Bool IsRootElement(const String& name) override;
        Bool OnRootElement(const String& name, Util::Attributes* attributes) override;
        Bool OnElement(const String& name, Util::Attributes* attributes) override;

    private:
        Array<Entry>& mEntries;
    };

    // Where the server stands unless the application configures another address.
    static const char* const DefaultServer;

    HalvexHighscores();
    ~HalvexHighscores();

    // Takes the logic device handler and the device facts from the configuration; true.
    Bool Init(Logic::IState* state);
    // The scheme and host that the request paths follow.
    void SetServer(const String& server) { mServer = server; }

    // Starts a list request unless a request is pending; the entries are cleared when it starts.
    void RequestScoreList(const String& name);
    // Starts a signed submission unless a request is pending (then the figures are dropped).
    void SubmitScore(const String& name, UInt32 pass, UInt32 frontier, UInt32 totalScore, UInt32 starSum,
                     UInt32 levelTime, UInt32 zenScore, UInt32 zenStage, UInt32 zenTime);
    // Polls the pending request. True when a reply was taken: a list that parsed (the entries are
    // then filled) or a submission's reply text in reply. False while it runs, when it failed,
    // ended without a reply (the platform could not start it) or when a list reply did not
    // parse (the entries are then empty).
    Bool GetResponse(String& reply);
    Bool IsBusy() const { return mRequest != nullptr; }
    // Destroys a pending request; true.
    Bool CancelRequest();

    const Array<Entry>& GetEntries() const { return mEntries; }

    // The submission's URL with its signature; the request only adds the server in front.
    String BuildSubmitQuery(const String& name, UInt32 pass, UInt32 frontier, UInt32 totalScore, UInt32 starSum,
                            UInt32 levelTime, UInt32 zenScore, UInt32 zenStage, UInt32 zenTime) const;

private:
    HalvexHighscores(const HalvexHighscores&) = delete;
    HalvexHighscores& operator=(const HalvexHighscores&) = delete;

    Bool StartRequest(const String& url, Bool expectList);
    void DestroyRequest();

    Array<Entry> mEntries;
    Logic::IDeviceHandler* mDeviceHandler;
    String mDeviceId;
    String mCountry;
    String mOsName;
    String mDeviceName;
    Float mVersion;
    IUrlRequest* mRequest;
    Bool mExpectList;
    String mServer;
};

} // namespace App
} // namespace Vorn
