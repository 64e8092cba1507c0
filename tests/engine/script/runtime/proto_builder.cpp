#include "tests/engine/script/runtime/proto_builder.h"

#include "engine/script/call.h"
#include "engine/script/func.h"
#include "engine/script/intern.h"
#include "engine/script/memory.h"
#include "engine/script/state.h"

namespace script_test {

static Proto* build(lua_State* L, const ProtoPlan& plan, TString* source) {
  Proto* f = luaF_newproto(L);
  f->source = source;
  f->numparams = static_cast<lu_byte>(plan.numparams);
  f->nups = static_cast<lu_byte>(plan.nups);
  f->is_vararg = plan.vararg;
  f->maxstacksize = static_cast<lu_byte>(plan.maxstack);
  int n = static_cast<int>(plan.code.size());
  f->code = luaM_newvector<Instruction>(L, n);
  f->lineinfo = luaM_newvector<int>(L, n);
  f->sizecode = f->sizelineinfo = n;
  for (int i = 0; i < n; i++) {
    f->code[i] = plan.code[i];
    f->lineinfo[i] = i + 1;
  }
  int nk = static_cast<int>(plan.k.size());
  f->k = luaM_newvector<TObject>(L, nk);
  f->sizek = nk;
  for (int i = 0; i < nk; i++) setnilvalue(&f->k[i]);
  for (int i = 0; i < nk; i++) {
    const Constant& c = plan.k[i];
    if (auto d = std::get_if<double>(&c)) setnvalue(&f->k[i], *d);
    if (auto s = std::get_if<std::string>(&c)) setsvalue(&f->k[i], luaS_newlstr(L, s->data(), s->size()));
    if (auto w = std::get_if<Wide>(&c)) {
      setsvalue(&f->k[i], luaS_newlwstr(L, reinterpret_cast<const lua_WChar*>(w->text.data()), w->text.size()));
    }
  }
  int nl = static_cast<int>(plan.locals.size());
  f->locvars = luaM_newvector<LocVar>(L, nl);
  f->sizelocvars = nl;
  for (int i = 0; i < nl; i++) f->locvars[i] = {luaS_new(L, plan.locals[i].c_str()), 0, n};
  int np = static_cast<int>(plan.p.size());
  f->p = luaM_newvector<Proto*>(L, np);
  f->sizep = np;
  for (int i = 0; i < np; i++) f->p[i] = nullptr;
  for (int i = 0; i < np; i++) f->p[i] = build(L, plan.p[i], source);
  return f;
}

void PushProto(lua_State* L, const ProtoPlan& plan) {
  // No collection runs while the prototype is built: nothing here checks the collector.
  Proto* f = build(L, plan, luaS_new(L, "=test"));
  Closure* cl = luaF_newLclosure(L, 0, gt(L));
  cl->l.p = f;
  setclvalue(L->top, cl);
  L->top++;
  luaD_checkpush(L);
}

}  // namespace script_test
