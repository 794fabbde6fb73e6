#include "Solver.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

namespace {

using Type = const Sarn2017::ObjectType*;

struct Item {
    Type type;
    int spot;
    Type hidden;
};

struct State {
    std::vector<Item> room;      // untaken objects, by spot
    std::vector<Type> inventory; // sorted
    bool finished = false;
};

Type combination(Type owner, Type other, bool& destroy) {
    for (const Sarn2017::Combination& c : owner->combinations) {
        if (c.otherObject == other->name) {
            destroy = c.destroy;
            return c.turnIntoPointer;
        }
    }
    return nullptr;
}

std::string key(const State& s, Type base) {
    if (s.finished)
        return "F";
    std::string k;
    for (const Item& item : s.room) {
        k += char(item.spot);
        k += char(item.type - base);
        k += char(item.hidden ? item.hidden - base : 255);
    }
    k += '|';
    for (Type t : s.inventory)
        k += char(t - base);
    return k;
}

void normalise(State& s) {
    std::sort(s.room.begin(), s.room.end(),
              [](const Item& a, const Item& b) { return a.spot < b.spot; });
    std::sort(s.inventory.begin(), s.inventory.end());
}

// Every state one move away, with its move; moves that change nothing are left out.
std::vector<std::pair<SolverMove, State>> successors(const State& s) {
    std::vector<std::pair<SolverMove, State>> out;
    auto add = [&](SolverMove move, State next) {
        normalise(next);
        out.emplace_back(move, next);
    };
    for (std::size_t j = 0; j < s.room.size(); ++j) {
        const Item& item = s.room[j];
        SolverMove move{SolverMove::click, item.spot};
        State next = s;
        if (item.type->finishLevelOnInteract) {
            next.finished = true;
        } else if (item.type->turnIntoOnInteract) {
            next.room[j].type = item.type->turnIntoOnInteract;
        } else if (item.type->canSpawnObject && item.hidden) {
            next.room[j].hidden = nullptr;
            next.room.push_back({item.hidden, item.spot + 4, nullptr});
        } else if (item.type->takeable && s.inventory.size() < Sarn2017::slotCount) {
            next.inventory.push_back(item.type);
            next.room.erase(next.room.begin() + long(j));
        } else {
            continue;
        }
        add(move, next);
    }
    for (std::size_t d = 0; d < s.inventory.size(); ++d) {
        Type dragged = s.inventory[d];
        if (d > 0 && s.inventory[d - 1] == dragged)
            continue; // the same move as with the copy before
        for (std::size_t t = 0; t < s.inventory.size(); ++t) {
            Type target = s.inventory[t];
            if (t == d || (t > 0 && t - 1 != d && s.inventory[t - 1] == target))
                continue;
            State next = s;
            bool destroy = false;
            if (Type result = combination(target, dragged, destroy)) {
                next.inventory[t] = result;
                if (destroy)
                    next.inventory.erase(next.inventory.begin() + long(d));
            } else if (Type own = combination(dragged, target, destroy)) {
                next.inventory[d] = own;
                if (destroy)
                    next.inventory.erase(next.inventory.begin() + long(t));
            } else {
                continue;
            }
            add({SolverMove::dropOnSlot, -1, dragged, target}, next);
        }
        for (std::size_t r = 0; r < s.room.size(); ++r) {
            State next = s;
            bool destroy = false;
            if (Type result = combination(s.room[r].type, dragged, destroy)) {
                next.room[r].type = result;
                if (destroy)
                    next.inventory.erase(next.inventory.begin() + long(d));
            } else if (Type own = combination(dragged, s.room[r].type, destroy)) {
                next.inventory[d] = own; // the room object stays
            } else {
                continue;
            }
            add({SolverMove::dropInRoom, s.room[r].spot, dragged}, next);
        }
    }
    return out;
}

std::string describe(const State& s) {
    std::string text = "room:";
    for (const Item& item : s.room) {
        text += " " + item.type->name + "@" + std::to_string(item.spot);
        if (item.hidden)
            text += "(hides " + item.hidden->name + ")";
    }
    text += "; inventory:";
    for (Type t : s.inventory)
        text += " " + t->name;
    return text;
}

} // namespace

SolverResult solveLevel(Sarn2017& game, unsigned int stateLimit) {
    Type base = game.objectTypes;
    State start;
    for (unsigned int i = 0; i < game.roomObjectCount; ++i) {
        const Sarn2017::RoomObject& object = game.roomObjects[i];
        if (!object.taken)
            start.room.push_back({object.type, object.positionIndex, object.objectToSpawn});
    }
    normalise(start);

    SolverResult result;
    std::unordered_map<std::string, unsigned int> ids;
    std::vector<State> states;
    std::vector<std::vector<unsigned int>> edges;
    std::vector<std::pair<unsigned int, SolverMove>> cameFrom; // for the shortest path
    ids[key(start, base)] = 0;
    states.push_back(start);
    edges.emplace_back();
    cameFrom.push_back({0, SolverMove{}});
    for (std::size_t at = 0; at < states.size(); ++at) {
        if (states[at].finished)
            continue;
        if (states.size() > stateLimit) {
            result.tooBig = true;
            return result;
        }
        for (auto& [move, next] : successors(states[at])) {
            auto [it, added] = ids.emplace(key(next, base), unsigned(states.size()));
            if (added) {
                states.push_back(next);
                edges.emplace_back();
                cameFrom.push_back({unsigned(at), move});
            }
            edges[at].push_back(it->second);
        }
    }

    // States that can still reach the finish, found backwards from it.
    std::vector<std::vector<unsigned int>> incoming(states.size());
    for (unsigned int from = 0; from < states.size(); ++from)
        for (unsigned int to : edges[from])
            incoming[to].push_back(from);
    std::vector<bool> good(states.size(), false);
    std::deque<unsigned int> queue;
    auto finish = ids.find("F");
    if (finish != ids.end()) {
        good[finish->second] = true;
        queue.push_back(finish->second);
    }
    while (!queue.empty()) {
        unsigned int at = queue.front();
        queue.pop_front();
        for (unsigned int from : incoming[at]) {
            if (!good[from]) {
                good[from] = true;
                queue.push_back(from);
            }
        }
    }

    result.states = unsigned(states.size());
    result.finishable = good[0];
    for (unsigned int i = 0; i < states.size(); ++i) {
        if (good[i])
            continue;
        if (result.deadEnds++ == 0)
            result.deadEnd = describe(states[i]);
    }
    if (finish != ids.end()) {
        for (unsigned int at = finish->second; at != 0; at = cameFrom[at].first)
            result.shortest.push_back(cameFrom[at].second);
        std::reverse(result.shortest.begin(), result.shortest.end());
    }
    return result;
}
